#include "session/connect.h"

#include "locale/strings.h"

namespace kz7 {

LinkResult Connect(DeviceLink& link) {
    const LinkResult found = link.FindDevice();
    if (!found.Connected()) return found;
    return link.Handshake();
}

std::optional<std::string> StartupMessage(const LinkResult& result, UiLanguage language) {
    switch (result.status) {
        case LinkStatus::Connected:
        case LinkStatus::Refused: return std::nullopt;
        case LinkStatus::NoMouse: return std::string(Text(UiText::MouseNotDetected, language));
        case LinkStatus::CannotOpen:
            return std::string(Text(UiText::MouseNotDetected, language)) + "\n\n" + result.path + ": " +
                   result.error + "\n\n" + std::string(kUdevRuleHint);
    }
    return std::nullopt;
}

std::string LinkFailureText(const LinkResult& result) {
    switch (result.status) {
        case LinkStatus::Connected: return {};
        case LinkStatus::NoMouse: return "no mouse found";
        case LinkStatus::CannotOpen:
            return "cannot open " + result.path + ": " + result.error + "; " + std::string(kUdevRuleHint);
        case LinkStatus::Refused: return "the mouse did not accept the handshake: check the scramble key";
    }
    return {};
}

}  // namespace kz7
