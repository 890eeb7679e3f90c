// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes a FIT file with the official FIT SDK and prints what the tests
// compare as JSON: the integrity check, the decoder's errors and the
// messages, times as seconds since 1970.
// usage: node decode_fit.mjs NPM_PREFIX FILE.fit (the SDK installed under NPM_PREFIX)
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const [prefix, path] = process.argv.slice(2);
const sdk = join(prefix, 'node_modules', '@garmin', 'fitsdk', 'src', 'index.js');
const { Decoder, Stream } = await import(pathToFileURL(sdk).href);
const bytes = readFileSync(path);
const decoder = new Decoder(Stream.fromByteArray(bytes));
const isFit = decoder.isFIT();
const integrity = isFit && decoder.checkIntegrity();
const { messages, errors } = decoder.read({ convertDateTimesToDates: false });
const fitEpoch = 631065600;
const times = (message) => {
  for (const key of ['timestamp', 'startTime', 'timeCreated', 'localTimestamp'])
    if (typeof message[key] === 'number') message[key] += fitEpoch;
  return message;
};
const pick = (key) => (messages[key] ?? []).map(times);
process.stdout.write(JSON.stringify({
  isFit,
  integrity,
  errors: errors.map(String),
  fileId: pick('fileIdMesgs'),
  deviceInfo: pick('deviceInfoMesgs'),
  events: pick('eventMesgs'),
  records: pick('recordMesgs'),
  laps: pick('lapMesgs'),
  sessions: pick('sessionMesgs'),
  activities: pick('activityMesgs'),
}));
