// The faces that the window's 宋体 stands for.
#pragma once

namespace ui {

// Makes 宋体 stand for the first Song face the system has (SimSun, AR PL
// UMing, Noto Serif CJK SC) and, where it has none, for the window's own
// subset face, which the program carries as a resource: before any sans
// face that the system's fallback would pick, whose wider glyphs would cut
// the captions. Call once, after the QApplication is made.
void useSongFaces();

}  // namespace ui
