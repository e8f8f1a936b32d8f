// How a screen reader sees the results box: an editable multi-line text whose
// characters, caret and selection it can read.
#pragma once

namespace tarnvel {

// Registers the box's accessibility with Qt; safe to call more than once.
void InstallResultsBoxAccessibility();

}  // namespace tarnvel
