#include <QPointer>

#include "ui/dialogs/qt_dialog_runner.h"
#include "ui/dialogs/skins_dialog.h"

namespace kz7::ui {

std::optional<SkinSettings> QtDialogRunner::RunSkins(const SkinSettings& current) {
    if (context_.skin == nullptr || context_.prompter == nullptr) return std::nullopt;
    const std::filesystem::path root =
        skinsRoot_.empty() ? std::filesystem::path(ApplicationSkinsRoot().toStdString()) : skinsRoot_;
    QPointer<CSkinsDialog> shown;
    // The colour chooser opens over the skins dialog, not behind it over the main window.
    auto chooseColour = [this, &shown](Rgb initial) {
        QWidget* const owner = context_.owner;
        context_.owner = shown.data();
        std::optional<Rgb> chosen = ChooseColour(initial);
        context_.owner = owner;
        return chosen;
    };
    CSkinsDialog dialog(context_.owner, *context_.skin, context_.language, *context_.prompter, root, current,
                        chooseColour);
    shown = &dialog;
    if (dialog.Run() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}

}  // namespace kz7::ui
