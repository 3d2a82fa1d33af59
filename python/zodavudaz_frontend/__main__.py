"""`python3 -m zodavudaz_frontend`: the zdz-frontend command."""

import sys

from .command import main

sys.exit(main())
