#pragma once

// The diagram window as the stored series window reaches it.
namespace SeriesDiagramWindow {

// Makes the stored series window draw its diagrams in the program's one
// diagram window. Called once at start-up.
void install();

} // namespace SeriesDiagramWindow
