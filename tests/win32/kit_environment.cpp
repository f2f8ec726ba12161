// Makes the kit's pens, brushes and fonts once for every GDI test in this program.
#include <gtest/gtest.h>

#include "tests/win32/dib_surface.h"

namespace {
::testing::Environment* const kitEnvironment =
    ::testing::AddGlobalTestEnvironment(new KitEnvironment);
}
