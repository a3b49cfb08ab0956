#pragma once

// GLUT keyboard callback: the simulator's key commands.
void keyboard(unsigned char key, int x, int y);
