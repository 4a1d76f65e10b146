#include "platform/Error.h"

namespace kb {

Error::Error(const QString &message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

} // namespace kb
