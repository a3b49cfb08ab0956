#pragma once

// Draws one whole frame of the current drawMode; in mode '3' first advances
// the mesh by one step. Reads gearPair, reads and writes viewState.
void display();
