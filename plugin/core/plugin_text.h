// Which text the plug-in keeps in its char strings. The 32-bit build keeps the single-byte ANSI
// text of the classic host, its files and its Windows; the 64-bit builds (the x64 product, and the
// native build, where its behaviour is tested) keep UTF-8 and speak Unicode at every boundary.
// Code that must tell the two apart asks here, and nowhere else decides it.
#pragma once

constexpr bool kUtf8Text = sizeof(void*) == 8;
