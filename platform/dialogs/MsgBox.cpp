#include "dialogs/MsgBox.h"

#include "dialogs/ModalParent.h"
#include "runtime/EventLoop.h"
#include "runtime/Exceptions.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {

constexpr std::int32_t kButtonBits = 0x7;
constexpr std::int32_t kIconBits = 0x70;

// The run time's line breaks are carriage returns; the message box breaks lines at "\n".
QString shown(const Text& text)
{
    QString result = QString::fromStdString(text.bytes());
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

std::int32_t ask(QMessageBox::Icon icon, const Text& title, const Text& prompt, bool yesNo)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw RuntimeException("A message can only be shown while the program has its windows.");
    const QString caption = title.empty() ? QString::fromStdString(RuntimeProgramName()) : shown(title);
    auto* box = new QMessageBox(icon, caption, shown(prompt), QMessageBox::NoButton, modalParent());
    // A path or a name in the text is shown as written, never read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::ApplicationModal);
    if (!yesNo) {
        box->setStandardButtons(QMessageBox::Ok);
        runModal(box, [](QMessageBox&, int) { return 0; });
        return msgbox::kOk;
    }
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
    const std::optional<bool> yes =
        runModal(box, [](QMessageBox& b, int) { return b.clickedButton() == b.button(QMessageBox::Yes); });
    return yes.value_or(false) ? msgbox::kYes : msgbox::kNo;
}

} // namespace

void MsgBox(const Text& message) { ask(QMessageBox::NoIcon, Text(), message, false); }

std::int32_t MsgBox(const Text& prompt, std::int32_t code, const Text& title)
{
    const std::int32_t buttons = code & kButtonBits;
    const std::int32_t icon = code & kIconBits;
    const bool known = (code & ~(kButtonBits | kIconBits)) == 0 &&
                       (buttons == msgbox::kOkButton || buttons == msgbox::kYesNoButtons) &&
                       (icon == 0 || icon == msgbox::kQuestionIcon);
    if (!known)
        throw UnsupportedOperation("MsgBox cannot show the code " + std::to_string(code) +
                                   ": this desktop offers the buttons 0 (OK) and 4 (Yes and No) and the icons 0 "
                                   "(none) and 32 (a question).");
    return ask(icon == msgbox::kQuestionIcon ? QMessageBox::Question : QMessageBox::NoIcon, title, prompt,
               buttons == msgbox::kYesNoButtons);
}

} // namespace platform
