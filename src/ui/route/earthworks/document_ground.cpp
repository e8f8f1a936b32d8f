#include "ui/route/earthworks/document_ground.h"

namespace tarnvel {

Ground GroundOf(const HeldGround& held) {
  return held ? Ground(*held) : Ground();
}

}  // namespace tarnvel
