#include "storage/Table.h"

namespace kb {

struct Table::Private
{
};

Table::Table(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
}

Table::~Table() = default;

} // namespace kb
