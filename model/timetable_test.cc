#include "model/timetable.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

}  // namespace
}  // namespace scenario
