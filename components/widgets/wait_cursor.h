#pragma once
// The wait cursor over the whole program for the lifetime of the object: a
// long operation (the analysis, a workbook export) shows it, and every way
// out of the operation, an exception included, gives the cursor back.
#include <QApplication>
#include <QCursor>

namespace korva::widgets {

class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace korva::widgets
