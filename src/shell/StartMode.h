#pragma once
// How the first window opens: after the start-up question, or in the mode
// the command line chose, without asking.

enum class StartMode { Ask, Windowed, FullScreen };
