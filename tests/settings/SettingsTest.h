#pragma once

#include "support/TestUtil.h"

#include <QString>
#include <gtest/gtest.h>

namespace kb::test {

// Short for QString::fromUtf8: the settings tests are full of German names and texts.
inline QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace kb::test
