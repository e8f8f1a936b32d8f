// The ground the window computes with, as the core takes it: the one place
// that knows how the document holds its ground.
#pragma once

#include <memory>
#include <type_traits>

#include "core/surface/ground.h"
#include "ui/route/common/route_document.h"

namespace tarnvel {

// The document's ground as a job keeps it: shared, never changed.
using HeldGround = std::decay_t<decltype(std::declval<const RouteDocument&>().ground())>;

// The core's Ground over `held`, which must outlive it; none for null.
Ground GroundOf(const HeldGround& held);

}  // namespace tarnvel
