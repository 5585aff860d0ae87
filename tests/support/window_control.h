#pragma once

#include <QObject>
#include <stdexcept>
#include <string>

namespace pellimo {

// The window's control that carries this object name, found as a user sees it: by its name, not through
// the window's members. A control that is missing fails the test with its name.
template <class T> T& control(const QObject& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::logic_error(std::string("the window has no ") + T::staticMetaObject.className() +
                               " named " + name);
    return *found;
}

} // namespace pellimo
