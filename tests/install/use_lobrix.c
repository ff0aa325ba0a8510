/* A user's program against the installed liblobrix: a few values whose expected figures come
 * from the formulas by hand (030EA10 is 3 dB down at 30 degrees; an omnidirectional pair has
 * the gain of a dipole below isotropic, -2.15 dBd). Exit status 0 when all agree. */
#include <lobrix.h>
#include <math.h>
#include <stdio.h>

int main(void) {
  int failures = 0;
  const float at30 = ANT93("030EA10", 30.0f, LOBRIX_DECIBEL);
  const float gain = ZISKANTVA("000ND00", "000ND00");
  const float angles[3] = {0.0f, 30.0f, 180.0f};
  float many[3] = {0, 0, 0};
  if (VERANT("030EA10") != 1 || VERANT("066EA00") != 0) ++failures;
  if (fabsf(at30 - 3.0103f) > 0.001f) ++failures;
  if (fabsf(gain + 2.15f) > 0.005f) ++failures;
  if (LOBRIX_ANT93_MANY("030EA10", angles, 3, LOBRIX_DECIBEL, many) != 1 || many[1] != at30 ||
      many[0] != 0.0f || many[2] != 20.0f) {
    ++failures;
  }
  printf("lobrix %s: 030EA10 at 30 degrees %.2f dB, gain %.2f dBd\n", LOBRIX_VERSION_TEXT(),
         at30, gain);
  return failures == 0 ? 0 : 1;
}
