#pragma once

#include "platform/vbe.h"

#include <QPlainTextEdit>

#include <string>

namespace quorbel::host {

// A code window of the host: the code of one module in a plain text editor,
// and the code pane, window and code module an add-in sees of it. Lines are
// the editor's lines; the code module gives them joined with CR LF.
class CodeWindow : public QPlainTextEdit, public vbe::CodePane, public vbe::Window, public vbe::CodeModule {
public:
    // code: UTF-8 with CR LF line breaks; a break at its end ends the last
    // line and starts no new one.
    CodeWindow(std::string caption, const std::string &code, QWidget *parent = nullptr);

    vbe::Window &window() override { return *this; }
    vbe::CodeModule &codeModule() override { return *this; }
    std::string Caption() const override { return m_caption; }
    int CountOfLines() const override;
    std::string Lines(int first, int count) const override;

private:
    std::string m_caption;
};

// The caption of a module's code window: "Project1 - Module1 (Code)".
std::string codeWindowCaption(std::string_view projectName, std::string_view moduleName);

} // namespace quorbel::host
