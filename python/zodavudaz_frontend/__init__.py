"""The reference front end: a local web server over the zodavudaz package that shows the stations,
module panels and waveform viewers in a browser, and saves viewer settings through the library."""
