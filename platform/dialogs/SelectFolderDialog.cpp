#include "dialogs/SelectFolderDialog.h"

#include "dialogs/ModalParent.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QGridLayout>
#include <QLabel>

#include <vector>

namespace platform {

namespace {

QString shown(const Text& text) { return QString::fromStdString(text.bytes()); }

// Qt's folder chooser has no place for a prompt: it goes into a row of its own above
// everything else. Should the chooser's layout ever be other than a grid, the prompt takes
// the place of the label before the folder's name instead.
void showPrompt(QFileDialog& dialog, const QString& prompt)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) {
        dialog.setLabelText(QFileDialog::FileName, prompt);
        return;
    }
    struct Placed {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    std::vector<Placed> placed;
    const int columns = grid->columnCount();
    while (grid->count() > 0) {
        Placed next{nullptr, 0, 0, 0, 0};
        grid->getItemPosition(0, &next.row, &next.column, &next.rowSpan, &next.columnSpan);
        next.item = grid->takeAt(0);
        placed.push_back(next);
    }
    auto* label = new QLabel(prompt, &dialog);
    label->setObjectName(QStringLiteral("prompt"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    grid->addWidget(label, 0, 0, 1, columns);
    for (const Placed& p : placed)
        grid->addItem(p.item, p.row + 1, p.column, p.rowSpan, p.columnSpan);
}

// Qt's chooser keeps its recent folders and its column widths in the user's Qt settings,
// written when it goes. The program keeps no settings and writes nothing but its copies, so
// while a chooser lives those settings go to a folder of its own that goes with it.
class SettingsKeptAside {
public:
    SettingsKeptAside()
    {
        if (aside_.isValid())
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, aside_.path());
    }
    ~SettingsKeptAside()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    SettingsKeptAside(const SettingsKeptAside&) = delete;
    SettingsKeptAside& operator=(const SettingsKeptAside&) = delete;

private:
    QTemporaryDir aside_;
};

} // namespace

Ref<FolderItem> SelectFolderDialog::ShowModal()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw RuntimeException("A folder can only be chosen while the program has its windows.");
    const SettingsKeptAside settings;
    auto* dialog = new QFileDialog(modalParent());
    // Qt's own chooser on every desktop: the desktop's native one may leave out the prompt.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setWindowModality(Qt::ApplicationModal);
    if (!title_.empty())
        dialog->setWindowTitle(shown(title_));
    if (!actionButtonCaption_.empty())
        dialog->setLabelText(QFileDialog::Accept, shown(actionButtonCaption_));
    if (!promptText_.empty())
        showPrompt(*dialog, shown(promptText_));
    if (initialDirectory_)
        dialog->setDirectory(QFile::decodeName(initialDirectory_->nativePath().c_str()));
    const std::optional<QString> chosen = runModal(dialog, [](QFileDialog& d, int result) {
        const QStringList files = d.selectedFiles();
        return result == QDialog::Accepted && !files.isEmpty() ? files.first() : QString();
    });
    if (!chosen || chosen->isEmpty())
        return {};
    // The chooser confirms only a folder that exists; one removed meanwhile counts as none.
    Ref<FolderItem> folder = FolderItem::forNativePath(QFile::encodeName(*chosen).toStdString());
    return folder->Directory() ? folder : Ref<FolderItem>();
}

std::vector<Operation> SelectFolderDialog::operations()
{
    return {
        method<&SelectFolderDialog::setActionButtonCaption>("ActionButtonCaption"),
        method<&SelectFolderDialog::setTitle>("Title"),
        method<&SelectFolderDialog::setPromptText>("PromptText"),
        method<&SelectFolderDialog::setInitialDirectory>("InitialDirectory"),
        method<&SelectFolderDialog::ShowModal>("ShowModal"),
    };
}

} // namespace platform
