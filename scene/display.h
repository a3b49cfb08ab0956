#pragma once

#include "draw/target.h"
#include "geometry/point2.h"

// Room of the contact-point buffer of one mesh frame.
constexpr int CONTACT_CAPACITY = 4;

// Contact points of the latest mesh frame (model units), packed at the front,
// and how many of them are valid (0 to CONTACT_CAPACITY). Written by display
// in mode '3' only.
extern Point2 currentContactPoints[CONTACT_CAPACITY];
extern int currentContactCount;

// Draws one whole frame of the current drawMode, bounded or literal
// (draw/target.h); in mode '3' first advances the mesh by one step. Any other
// drawMode gives an empty frame. Reads gearPair, reads and writes viewState.
void display(FrameDrawing drawing);
// display of a bounded frame, as the window draws it (its GLUT callback).
void display();
