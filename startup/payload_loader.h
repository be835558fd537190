// The payload loader: finds the configuration block in the installer's own
// executable, writes the unpacker module it carries to a temporary file,
// loads and binds it, runs the two start-up guards, and walks the payload
// archive once through the module, keeping the configuration entries and an
// index of the product files in Payload().
#ifndef QVS_STARTUP_PAYLOAD_LOADER_H
#define QVS_STARTUP_PAYLOAD_LOADER_H

// Returns when everything is loaded; on any failure it shows the message
// and ends the process. Called once, on the main thread.
void LoadPayload();

#endif
