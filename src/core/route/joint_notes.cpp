#include "core/route/joint_notes.h"

#include "core/text/station_text.h"

namespace tarnvel {

std::string StationEquationText(const StationEquation& equation) {
  return KStationText(equation.back) + "=" + KStationText(equation.ahead);
}

std::vector<std::string> JointEquationNotes(const Joint& joint) {
  std::vector<std::string> notes;
  if (joint.equation > 0) notes.push_back("与声明的断链相符");
  if (joint.undeclared) notes.push_back("未声明的断链");
  for (const StationEquation& equation : joint.unmatched)
    notes.push_back("声明的断链" + StationEquationText(equation) + "没有对应的桩号跳变");
  return notes;
}

}  // namespace tarnvel
