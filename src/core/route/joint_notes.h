// What a joint's 说明 says of the 断链: how its stations stand against the
// route's declarations, in the words of check's report and the route
// window's joint column alike.
#pragma once

#include <string>
#include <vector>

#include "core/route/route_joints.h"

namespace tarnvel {

// "K1+680.000=K1+700.000", as design tables write a 断链.
std::string StationEquationText(const StationEquation& equation);

// The joint's notes on the declared 断链, in order: its jump matches one
// (与声明的断链相符), matches none (未声明的断链), and each declaration
// without a jump that is nearest this joint. None for a route that declares
// none.
std::vector<std::string> JointEquationNotes(const Joint& joint);

}  // namespace tarnvel
