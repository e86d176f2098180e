#include "files/KnownFolders.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace platform {

Ref<FolderItem> SpecialFolderDesktop()
{
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    Ref<FolderItem> folder = FolderItem::forNativePath(desktop.toStdString());
    if (desktop.isEmpty() || !folder->Directory())
        folder = FolderItem::forNativePath(QStandardPaths::writableLocation(QStandardPaths::HomeLocation).toStdString());
    return folder;
}

Ref<FolderItem> AppFolderItem()
{
    return FolderItem::forNativePath(QCoreApplication::applicationFilePath().toStdString());
}

} // namespace platform
