#pragma once

#include <QString>
#include <stdexcept>

namespace kb {

// The one error type of the program. It carries the German text the user reads;
// every command handler catches it at its boundary and shows it through the Ui seam.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &message);

    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

} // namespace kb
