#include "shell/front_end/quiet_services.h"

QuietServices& TheQuietServices() {
  static QuietServices services;
  return services;
}
