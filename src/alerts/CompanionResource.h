/* The resource that carries the companion program Pellis.exe inside the
   executables that start it (resources/CompanionProgram.rc.in). Read by the
   resource compiler as well: plain C preprocessor only. */
#ifndef BREVARO_ALERTS_COMPANION_RESOURCE_H
#define BREVARO_ALERTS_COMPANION_RESOURCE_H

#define BREVARO_COMPANION_RESOURCE 201

#endif
