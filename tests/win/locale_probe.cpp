// Exits with the decimal separator of the locale it was started in.
#include <windows.h>

int main() {
  wchar_t separator[8] = {};
  ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  return separator[0];
}
