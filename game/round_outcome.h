// The two states in which play stands still: paused, and round over.
#pragma once

// The logic of a frame in which paused is set.
void PausedFrame();
// The logic of a frame in which roundOver is set.
void RoundOverFrame();
// The last step of every frame: a P key seen up frees the latch.
void ReleasePauseLatch();

// The texts over the playfield, drawn by DrawScene.
void DrawOutcomeText();
void DrawPauseText();
