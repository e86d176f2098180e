#pragma once

// A text field: one line, or several when Multiline. Raises TextChange whenever its text
// changes, by the user or by code, and KeyDown before it handles a key.

#include "ui/RectControl.h"

#include <QPointer>
#include <QString>

class QKeyEvent;
class QLineEdit;
class QPlainTextEdit;

namespace platform {

class EditField : public RectControl {
public:
    static constexpr const char* kClassName = "EditField";
    static constexpr std::string_view kTypeName = "EditField";

    static const PropertyTable& propertyTable();
    const PropertyTable& properties() const override { return propertyTable(); }
    std::vector<EventSpec> events() const override;

    // Lines of a multi-line field end with carriage returns (character 13).
    platform::Text Text() const;
    void setText(const platform::Text& text);

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    class KeyWatcher;
    void makeEditor(bool multiline);
    void configureEditor();
    QString editorText() const;
    void editorTextChanged();
    void keepWithinLimit();
    bool keyPressed(const QKeyEvent& event);

    // The field's widget is a frame-less box around the editor, so that the editor can be
    // replaced when the description makes the field multi-line.
    QPointer<QWidget> box_;
    QPointer<QLineEdit> line_;
    QPointer<QPlainTextEdit> lines_;
    // The text as last seen: the user's typing raises TextChange only when it really
    // changed the text.
    QString seenText_;
    // The input mask the line editor has, in Qt's spelling.
    QString maskShown_;
    // Above 0 while the field changes its editor's text itself, which is no typing.
    int quiet_ = 0;

    bool multiline_ = false;
    bool tabStop_ = true;
    bool border_ = true;
    bool readOnly_ = false;
    bool password_ = false;
    bool acceptTabs_ = false;
    bool scrollbarHorizontal_ = false;
    bool scrollbarVertical_ = true;
    std::int32_t limitText_ = 0;
    std::int32_t alignment_ = 0;
    Color textColor_ = Color::rgb(0x000000);
    Color backColor_ = Color::rgb(0xFFFFFF);
    platform::Text mask_;
};

} // namespace platform
