#pragma once

#include <QFont>
#include <QString>
#include <Qt>

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace pellimo {

// A control's place in twips: left, top, width, height within its parent.
struct TwipsPlace {
    int left;
    int top;
    int width;
    int height;
};

void place(QWidget* control, TwipsPlace where);

// The window's sans serif face at a size in points.
QFont sansSerifFont(qreal pointSize, bool bold = false);

// A page frame: a bordered group with its caption; the load step gives it its place.
QGroupBox* addFrame(QWidget* parent, const char* name, const QString& caption);

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, TwipsPlace where,
                 Qt::Alignment alignment = Qt::AlignLeft);

// Locked boxes can be read and selected but not changed; a box that is no Tab stop takes the focus by a
// click only.
enum class BoxLock { None, Locked, LockedNoTabStop };

// A one-line text box; maxLength limits what the user types into it, 0 sets no limit of its own.
QLineEdit* addTextBox(QWidget* parent, const char* name, TwipsPlace where, int maxLength,
                      BoxLock lock = BoxLock::None);

// A card picture box: stretches its picture over the box, inside a single-line border.
QLabel* addPictureBox(QWidget* parent, const char* name, TwipsPlace where);

} // namespace pellimo
