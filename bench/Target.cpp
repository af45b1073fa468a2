// The program the benchmark starts: it notes the moment it began to run
// its own code, hands that to the bench and ends.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);
    char name[64] = {};
    if (!GetEnvironmentVariableA("TOLVAN_BENCH_SIGNAL", name, sizeof name))
        return 1;
    const HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof started) : nullptr;
    if (!view)
        return 2;
    std::memcpy(view, &started, sizeof started);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    const HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, (std::string(name) + "-event").c_str());
    if (!event)
        return 3;
    SetEvent(event);
    CloseHandle(event);
    return 0;
}
