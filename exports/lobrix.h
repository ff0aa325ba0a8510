/* Lobrix calculation entry points for other programs: the HCM antenna-pattern codes, their
 * check, the attenuation of one code or of a code pair, and the antenna gain.
 *
 * Usable from C and C++. Two forms, the same results:
 *  - Windows (lobrix.dll, 32-bit): undecorated stdcall exports taking BSTR texts of single-byte
 *    characters. The callee takes over every BSTR argument and frees it with SysFreeString
 *    before it returns: the caller must not use or free it afterwards. Only the BSTR's byte
 *    length (SysStringByteLen) is read. Float results come back in the FPU register.
 *  - Elsewhere (liblobrix.so): C functions taking NUL-terminated texts, which stay the caller's.
 *    At most seven bytes of a text are read: a seven-character code needs no terminator.
 * In both forms a NULL text counts as an empty text, that is an invalid code.
 *
 * An antenna code is seven characters such as "000ND00", "030EA10", "510VE00", "100TA00" or
 * "120PA05". A shorter text fails VERANT; characters after the seventh are ignored.
 * Angles are degrees, single precision. A non-finite angle gives the failure value.
 *
 * What is checked: VERANT checks the whole code. ANT93, ANT3D and ZISKANTVA check only what
 * they read: the type in positions 4-5 (with the back-level letter A-I of V and W) and that
 * the first number is in the type's range, that number being read from the digits that begin
 * positions 1-3. They check neither the length nor that positions 1-3, 6 and 7 are digits (a
 * field is read up to its first non-digit, a missing one as 0) nor the digits of ND. So a code
 * VERANT refuses may give an ordinary value: ANT93("030EA", 30, 2) is that of "030EA00",
 * ANT93("1X0EA10", 30, 2) that of "001EA10", ZISKANTVA("135P", "000KA38") a gain. Call VERANT
 * first where the whole code matters.
 *
 * No function keeps state, apart from the module's current gain (last valid ZISKANTVA result).
 * Every function may be called from several threads at once; the current gain is then the
 * result of whichever valid ZISKANTVA call came last.
 */
#ifndef LOBRIX_H
#define LOBRIX_H

#ifdef _WIN32
#include <windows.h>
/* after windows.h, which it needs */
#include <oleauto.h>
#else
#include <stddef.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result modes of ANT93 and ANT3D. */
#define LOBRIX_RELATIVE_FIELD 0 /* relative field strength, 0.01 .. 1 */
#define LOBRIX_DECIBEL 2        /* attenuation in dB, 0 .. 40 */

/* Failure values. */
#define LOBRIX_INVALID_PATTERN (-1.0f) /* ANT93, ANT3D: see each function */
#define LOBRIX_INVALID_GAIN (-99.0f)   /* ZISKANTVA: a code fails what it checks */

#ifdef _WIN32

/* 1 when `code` is a valid antenna code, 0 when not. */
int WINAPI VERANT(BSTR code);

/* Relative field (mode != 2) or attenuation in dB (mode 2) of `code` at `angle` degrees from
 * the direction of maximum radiation. -1 when the code fails what it checks (type and range of
 * the first number, see above) or the angle is non-finite. */
float WINAPI ANT93(BSTR code, float angle, int mode);

/* Relative field (mode 0) or attenuation in dB (mode 2) of the antenna with the horizontal code
 * `hcode` and the vertical code `vcode` towards azimuth `az`, elevation `el`, its beam pointing
 * at (`azMax`, `elMax`). Unlike ANT93, any positive mode gives dB and a negative one the
 * relative field. `az` - `azMax` is taken round the circle however many turns it holds: one
 * direction, one value. A TA vertical code means electrical tilt, a P code built-in downtilt,
 * any other mechanical elevation. -1 when either code fails what ANT93 checks, an angle is
 * non-finite or two angles differ by more than a float holds, and for a P vertical code whose
 * downtilt (position 5, 'A' = 0 degrees) is 90 degrees or more (byte 0x9B and up): VERANT
 * accepts such a code and ANT93 gives its vertical pattern, but it has no pattern in space. */
float WINAPI ANT3D(BSTR hcode, float az, float azMax, BSTR vcode, float el, float elMax, int mode);

/* Gain in dBd of the antenna with the horizontal code `hcode` and the vertical code `vcode`;
 * -99 when either code fails what ANT93 checks. */
float WINAPI ZISKANTVA(BSTR hcode, BSTR vcode);

/* The antenna record EDITANTVA edits: 288 bytes, packed, little-endian, texts in code page
 * 1250. The codes have no terminator; the caption prefix is NUL-terminated when shorter than
 * its field. */
#pragma pack(push, 1)
typedef struct LobrixAntennaRecord {
  char hCode[7];              /* horizontal code, e.g. "030EA10" */
  char vCode[7];              /* vertical code */
  float aziMax;               /* azimuth of maximum radiation, degrees 0 .. <360 */
  float eleMax;               /* elevation (tilt) of maximum radiation, degrees -90 .. 90 */
  float gain;                 /* dBd; written by Transfer only */
  unsigned int ownerWindow;   /* the caller's window handle (32 bits), 0 for none */
  unsigned char language;     /* 0 English, anything else Czech */
  char captionPrefix[255];    /* put in front of the window's and the help boxes' captions */
  unsigned char antennaRole;  /* 1 Tx, 2 Rx, 3 station; 0 disables Transfer */
  unsigned char startPage;    /* 1, 3: directions; 2: vertical; 4: 3-D; other: horizontal.
                                 Comes back holding the page opened (0 .. 3). */
} LobrixAntennaRecord;
#pragma pack(pop)

/* Opens the editor on `record` and returns when the user closes it: 1 after Transfer, which
 * wrote the codes, directions and gain into the record; 0 otherwise (Close, Escape, the close
 * box), and 0 at once for a NULL record or while another editing run is open. */
int WINAPI EDITANTVA(LobrixAntennaRecord* record);

/* Writes `text` and a line end to a trace console, created on the first call. Writes nothing
 * when the process has no usable console. A NULL text writes only the line end. */
void WINAPI CPRINT(BSTR text);

#else

/* The same functions with NUL-terminated texts (see above for results and failure values). */
int VERANT(const char* code);
float ANT93(const char* code, float angle, int mode);
float ANT3D(const char* hcode, float az, float azMax, const char* vcode, float el, float elMax,
            int mode);
float ZISKANTVA(const char* hcode, const char* vcode);

/* ANT93 of one code at n angles: out[i] is ANT93(code, angles[i], mode), the code read and
 * prepared once and the angles evaluated in vectors. The same values as ANT93 to the last bit
 * (every one of the 6.6 million compared in the tests; in principle a rare value could differ
 * in its last bits). A non-finite angle gives -1 in its place.
 * Returns 1 when the code passes what ANT93 checks, else 0 with every value -1. `out` may be
 * `angles` itself. */
int LOBRIX_ANT93_MANY(const char* code, const float* angles, size_t n, int mode, float* out);

/* ANT3D of one antenna towards n directions (az[i], el[i]), its beam at (azMax, elMax), to
 * the same precision as LOBRIX_ANT93_MANY. Returns 1 when both codes pass what ANT3D checks,
 * else 0 with every value -1. `out` may be `az` or `el` itself. */
int LOBRIX_ANT3D_MANY(const char* hcode, const float* az, float azMax, const char* vcode,
                      const float* el, float elMax, size_t n, int mode, float* out);

/* The library's version, such as "0.13.0". */
const char* LOBRIX_VERSION_TEXT(void);

#endif

#ifdef __cplusplus
}
#endif

#endif /* LOBRIX_H */
