#pragma once
// The built-in demonstration, as a script: the dish is swept across the satellite with the
// "Sound" box ticked, then the green key is pressed twice (compact layout and back).

const char* demoScriptText();
