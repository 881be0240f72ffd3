/* A plug-in that does its work: it records the texts it received in the file named by
   TARVEL_PLUGIN_LOG, one line each, "(null)" for an absent text. */
#include <stdbool.h>
#include <stdio.h>
#include <stdlib.h>

bool IsUpdateComplete(const char* user, const char* password, const char* database) {
    const char* log = getenv("TARVEL_PLUGIN_LOG");
    if (log) {
        FILE* file = fopen(log, "ab");
        if (!file)
            return false;
        fprintf(file, "%s\n%s\n%s\n", user ? user : "(null)", password ? password : "(null)",
                database ? database : "(null)");
        fclose(file);
    }
    return true;
}
