#include "EngineError.h"

EngineError::EngineError(const QString& message, Kind kind)
    : m_message(message)
    , m_utf8(message.toUtf8())
    , m_kind(kind)
{
}

void EngineError::setMessage(const QString& message)
{
    m_message = message;
    m_utf8 = message.toUtf8();
}
