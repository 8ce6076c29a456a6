/* The automation strings and arrays that cross the library boundary.
 *
 * On Windows they are OLEAUT32's own. On Linux the library exports functions of the same
 * names, with the same memory layout and ownership rules, so that a host written against the
 * Windows API compiles and runs unchanged:
 *   - a BSTR points just past a 32-bit byte count and is followed by two zero bytes;
 *     NULL is the empty string;
 *   - a SAFEARRAY of VT_BSTR owns its strings: SafeArrayPutElement stores a copy,
 *     SafeArrayGetElement hands out a copy the caller frees, SafeArrayDestroy frees them all.
 * Only one-dimensional arrays of VT_BSTR and VT_I4 are supported on Linux. */
#ifndef OLDVEK_OLEAUT_H_
#define OLDVEK_OLEAUT_H_

#if defined(_WIN32)

#include <windows.h>

#include <oleauto.h>

#else

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint16_t OLECHAR;
typedef OLECHAR* BSTR;
typedef uint16_t VARTYPE;
typedef uint16_t USHORT;
typedef uint32_t ULONG;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int32_t HRESULT;
typedef struct HWND__* HWND;

enum { VT_I4 = 3, VT_BSTR = 8 };
enum { FADF_HAVEVARTYPE = 0x0080, FADF_BSTR = 0x0100 };

#define S_OK ((HRESULT)0)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define DISP_E_BADINDEX ((HRESULT)0x8002000B)
#define DISP_E_ARRAYISLOCKED ((HRESULT)0x8002000D)
#define DISP_E_BADVARTYPE ((HRESULT)0x80020008)

typedef struct tagSAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
} SAFEARRAYBOUND;

typedef struct tagSAFEARRAY {
  USHORT cDims;
  USHORT fFeatures;
  ULONG cbElements;
  ULONG cLocks;
  void* pvData;
  SAFEARRAYBOUND rgsabound[1];
} SAFEARRAY;

#define OLDVEK_OLEAUT_EXPORT __attribute__((visibility("default")))

OLDVEK_OLEAUT_EXPORT BSTR SysAllocStringByteLen(const char* bytes, UINT length);
OLDVEK_OLEAUT_EXPORT void SysFreeString(BSTR text);
OLDVEK_OLEAUT_EXPORT UINT SysStringByteLen(BSTR text);

OLDVEK_OLEAUT_EXPORT SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds);
OLDVEK_OLEAUT_EXPORT HRESULT SafeArrayDestroy(SAFEARRAY* array);
OLDVEK_OLEAUT_EXPORT UINT SafeArrayGetDim(SAFEARRAY* array);
OLDVEK_OLEAUT_EXPORT HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound);
OLDVEK_OLEAUT_EXPORT HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound);
OLDVEK_OLEAUT_EXPORT HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value);
OLDVEK_OLEAUT_EXPORT HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value);
OLDVEK_OLEAUT_EXPORT HRESULT SafeArrayPtrOfIndex(SAFEARRAY* array, LONG* indices, void** element);
OLDVEK_OLEAUT_EXPORT HRESULT SafeArrayRedim(SAFEARRAY* array, SAFEARRAYBOUND* bound);

#ifdef __cplusplus
}
#endif

#endif /* _WIN32 */

#endif /* OLDVEK_OLEAUT_H_ */
