// Defines a class or interface id of our filters once for every module that includes the filter's API header.
#pragma once

#include <windows.h>

#define QUILLO_FILTER_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)                                            \
    EXTERN_C const GUID DECLSPEC_SELECTANY name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
