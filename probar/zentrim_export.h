#pragma once

// Marks what libzentrim offers its hosts; everything else stays hidden.
#if defined(_WIN32)
#if defined(ZENTRIM_BUILDING)
#define ZENTRIM_EXPORT __declspec(dllexport)
#else
#define ZENTRIM_EXPORT __declspec(dllimport)
#endif
#else
#define ZENTRIM_EXPORT __attribute__((visibility("default")))
#endif
