// Hot loops built twice, for AVX2 and for any x86-64, the loader picking one:
// where the compiler and the object format offer function multi-versioning
// (GCC on ELF). Elsewhere (MSVC, MinGW's PE objects) the plain build only.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__ELF__) && defined(__x86_64__)
#define TAVIX_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
// Also lets square roots vectorise: they need not set errno.
#define TAVIX_VECTOR_CLONES_NO_ERRNO \
    __attribute__((target_clones("avx2", "default"), optimize("no-math-errno")))
#else
#define TAVIX_VECTOR_CLONES
#define TAVIX_VECTOR_CLONES_NO_ERRNO
#endif
