#include "ParadoxField.h"

ParadoxField::ParadoxField(const QString& name, Type type, int size)
    : m_name(name)
    , m_type(type)
    , m_size(size)
{
}
