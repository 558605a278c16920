#pragma once
// What a fuzz target uses besides the reader it drives: a check that stops the run with a
// message when a reader breaks one of its promises (a plain crash would say less).

#include <cstdio>
#include <cstdlib>

#define QV_FUZZ_CHECK(condition)                                                                 \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (0)
