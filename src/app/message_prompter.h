#pragma once

#include <QWidget>

#include "config/prompter.h"

namespace kz7 {

// Messages as modal message boxes over the main window.
class MessageBoxPrompter : public Prompter {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    void ShowMessage(std::string_view text, std::string_view caption) override;

private:
    QWidget* parent_ = nullptr;
};

}  // namespace kz7
