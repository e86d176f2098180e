#pragma once

// Where the modal dialogs stand and how they run.

#include <QDialog>
#include <QPointer>

#include <optional>
#include <type_traits>

namespace platform {

// The window a dialog stands over: the program's active window while it is on screen,
// else none (a window just closed may still count as active until it goes).
QWidget* modalParent();

// Runs a dialog made on the heap until the user answers, then deletes it. Gives what `read`
// takes from the dialog and the result of its run, or nothing when the dialog went away
// with its parent window while it was open.
template <class D, class Read>
auto runModal(D* made, Read read) -> std::optional<std::invoke_result_t<Read, D&, int>>
{
    QPointer<D> dialog(made);
    const int result = dialog->exec();
    if (!dialog)
        return std::nullopt;
    std::optional<std::invoke_result_t<Read, D&, int>> answer(read(*dialog, result));
    delete dialog.data();
    return answer;
}

} // namespace platform
