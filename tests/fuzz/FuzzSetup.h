// The start of every fuzz target, before its first input: the font library is set up and every
// face the program can ask for is resolved, so that inputs run as they do in a program that has
// drawn text before. fontconfig keeps a few hundred bytes of the configuration it reads on the
// first font asked for where the leak checker cannot always find them, and reports them as lost
// depending on what happens to lie in memory; that first reading is left out of the leak checks,
// and nothing after it is. Include this header in exactly one file of a target.
#pragma once

#include <sanitizer/lsan_interface.h>

#include "picture/Fonts.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    __lsan_disable();
    FindFace("ＭＳ Ｐゴシック", false, false);
    __lsan_enable();
    for (const char* name : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック", "Bookman Old Style", "Times New Roman", "Braggadocio", "no such font"}) {
        for (bool italic : {false, true}) {
            for (bool bold : {false, true}) FindFace(name, italic, bold);
        }
    }
    return 0;
}
