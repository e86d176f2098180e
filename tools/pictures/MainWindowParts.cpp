#include "MainWindowParts.h"

#include "browser/Window1.h"
#include "ui/Ui.h"

#include <QApplication>
#include <QPainter>

namespace drawing {

namespace {

using platform::Ref;
using platform::Text;

// Part of the window at twice its size: the button pictures would otherwise be too small
// to read, and a 162-pixel crop around the button would run past the window's edge.
QImage enlarged(QWidget* content, const QRect& part, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(content->palette().color(QPalette::Window));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(2, 2);
    content->render(&painter, QPoint(0, 0), QRegion(part), QWidget::DrawChildren);
    painter.end();
    return image;
}

} // namespace

HelpPictures grabMainWindowParts()
{
    auto window = platform::RuntimeNewObject<platform::Window>();
    platform::SetProperties(*window, platform::encodeWindowDescription(parvolin::Window1::windowTable()));
    window->Constructor();
    for (platform::ControlTableRow row : parvolin::Window1::controlTable()) {
        row.events.clear();
        platform::createControl(*window, row, platform::encodeControlDescription(row));
    }
    const Ref<platform::Window> shown = window;
    QApplication::setActiveWindow(window->widget());

    platform::RuntimeWindowControlByName<platform::EditField>(shown, "copyTo")
        ->setText(Text("Computer:home:you:Music:From the player:"));

    const auto list = platform::RuntimeWindowControlByName<platform::Listbox>(shown, "ListBox1");
    const char* const files[][3] = {
        {"BQTW.mp3", "MPG3", "Saturday, March 4, 2006"}, {"CKZD.m4a", "M4A ", "Saturday, March 4, 2006"},
        {"DHPX.mp3", "MPG3", "Sunday, March 5, 2006"},   {"FJAR.mp3", "MPG3", "Sunday, March 5, 2006"},
        {"GMEL.m4a", "M4A ", "Monday, March 6, 2006"},   {"HSUO.mp3", "MPG3", "Monday, March 6, 2006"},
    };
    for (const auto& file : files) {
        list->AddRow(Text(file[0]));
        list->setCell(list->LastIndex(), 1, Text(file[1]));
        list->setCell(list->LastIndex(), 2, Text(file[2]));
    }
    list->setSelected(1, true);
    list->setSelected(2, true);
    list->widget()->setFocus();

    const auto copy = platform::RuntimeWindowControlByName<platform::PushButton>(shown, "copyBtn");
    copy->setEnabled(true);
    QApplication::processEvents();

    QWidget* content = window->content();
    HelpPictures pictures;
    // The row stands between the device row (down to 64) and the lists (from 109): only
    // that band is taken, on the window's colour.
    pictures.copyToRow = QImage(227, 54, QImage::Format_RGB32);
    pictures.copyToRow.fill(content->palette().color(QPalette::Window));
    {
        QPainter painter(&pictures.copyToRow);
        painter.drawImage(0, 4, content->grab(QRect(8, 64, 227, 45)).toImage());
    }
    pictures.fileSelection = content->grab(QRect(85, 110, 308, 128)).toImage().convertToFormat(QImage::Format_RGB32);
    // The button stands at 486,75 in 73 x 20; the part around it is 81 x 24.
    const QRect aroundButton(482, 73, 81, 24);
    pictures.copyButton = enlarged(content, aroundButton, QSize(162, 47));
    copy->setCaption(Text("Copy All"));
    pictures.copyAllButton = enlarged(content, aroundButton, QSize(162, 47));

    window->Close();
    return pictures;
}

} // namespace drawing
