/* A shared library that loads but offers no GetInterface. */
int LcdServiceVersion(void) {
  return 2;
}
