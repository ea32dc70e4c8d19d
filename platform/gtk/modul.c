/* The desktop backend as a module of its own: its objects come whole from
   the platform_gtk archive and register themselves when it is opened. */
