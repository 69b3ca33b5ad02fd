#include "platform/os/Terminal.h"

#include <unistd.h>

bool ErrorStreamIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}
