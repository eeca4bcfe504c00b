/* The platform's own limit: nothing but URLDownloadToFileA for each address, into a folder.
 *   urlmon_bench.exe FOLDER URL...
 *   "urlmon files N bytes B ms T" */
#include <windows.h>
#include <urlmon.h>

#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {
  LARGE_INTEGER frequency, start, end;
  long long bytes = 0;
  int i;
  if (argc < 3) {
    fprintf(stderr, "usage: urlmon_bench FOLDER URL...\n");
    return 2;
  }
  CoInitialize(NULL);
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (i = 2; i < argc; ++i) {
    char path[MAX_PATH];
    const char* name = strrchr(argv[i], '/');
    WIN32_FILE_ATTRIBUTE_DATA data;
    snprintf(path, sizeof path, "%s\\%s", argv[1], name ? name + 1 : argv[i]);
    DeleteFileA(path);
    if (FAILED(URLDownloadToFileA(NULL, argv[i], path, 0, NULL))) {
      fprintf(stderr, "%s: failed\n", argv[i]);
      return 1;
    }
    if (GetFileAttributesExA(path, GetFileExInfoStandard, &data)) bytes += data.nFileSizeLow;
  }
  QueryPerformanceCounter(&end);
  printf("urlmon files %d bytes %lld ms %.1f\n", argc - 2, bytes,
         (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
  CoUninitialize();
  return 0;
}
