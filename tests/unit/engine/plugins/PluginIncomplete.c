/* A plug-in that fails its work. */
#include <stdbool.h>

bool IsUpdateComplete(const char* user, const char* password, const char* database) {
    (void)user;
    (void)password;
    (void)database;
    return false;
}
