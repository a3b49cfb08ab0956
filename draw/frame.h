#pragma once

// Opens a frame: clears colour and depth buffers and loads the identity model-view matrix.
void beginFrame();
// Closes a frame: flushes and swaps the buffers.
void endFrame();
