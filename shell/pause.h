// P pauses a race or a replay: the frame on show freezes with PAUSE over it and the tune holds,
// until P again. A paused frame runs no scene, so the race cannot tell it was paused.
#pragma once

// Reads P before a frame and, while paused, shows the frozen frame at the frame pace. True when
// this frame is a paused one and no scene may run in it.
bool RunPausedFrame();
