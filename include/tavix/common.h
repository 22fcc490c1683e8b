/* Shared definitions of the Tavix engine interface. Usable from C99 and C++. */
#ifndef TAVIX_COMMON_H
#define TAVIX_COMMON_H

#ifndef __cplusplus
#include <stdbool.h>
#endif

#if defined(_WIN32)
#  if defined(TAVIX_BUILDING_API)
#    define TX_EXPORT __declspec(dllexport)
#  else
#    define TX_EXPORT __declspec(dllimport)
#  endif
#elif defined(TAVIX_BUILDING_API)
#  define TX_EXPORT __attribute__((visibility("default")))
#else
#  define TX_EXPORT
#endif

#ifdef __cplusplus
#  define TX_BEGIN_DECLS extern "C" {
#  define TX_END_DECLS }
#else
#  define TX_BEGIN_DECLS
#  define TX_END_DECLS
#endif

/* The shared image record. Opaque in C; C++ hosts that read or write its
 * fields include <tavix/record.hpp>. */
typedef struct TX_api TX_api;

#endif
