#pragma once

// Symbols of libdazo.so are hidden unless marked; the exported classes form the whole interface.
#if defined(_WIN32)
#  if defined(DAZO_BUILDING_LIBRARY)
#    define DAZO_API __declspec(dllexport)
#  else
#    define DAZO_API __declspec(dllimport)
#  endif
#else
#  define DAZO_API __attribute__((visibility("default")))
#endif
