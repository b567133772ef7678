#include <quib/QuibCtrl.h>

#include <cstdio>

int main()
{
    std::puts("quib: the command-line tool is not built yet");
    return 0;
}
