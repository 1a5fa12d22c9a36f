// Makes node-simconnect encode each client operation once against a tiny
// loopback server that only answers Open, and prints every frame it receives
// as "<operation> <hex>" lines. The arguments here are mirrored by the C++
// table test that compares our encoder with these frames.
// Usage: node capture_frames.js <node_modules folder>
'use strict';
const net = require('net');
const path = require('path');
const sc = require(path.join(process.argv[2], 'node-simconnect'));

const operations = [
  'open', 'mapClientEventToSimEvent', 'transmitClientEvent', 'addClientEventToNotificationGroup',
  'setNotificationGroupPriority', 'addToDataDefinition', 'requestDataOnSimObject',
  'requestDataOnSimObjectType', 'setDataOnSimObject', 'subscribeToSystemEvent',
  'aiCreateNonAtcAircraft', 'aiReleaseControl', 'aiRemoveObject', 'aiSetAircraftFlightPlan',
];

function openReply(protocol) {
  const reply = Buffer.alloc(308);
  reply.writeUInt32LE(308, 0);
  reply.writeUInt32LE(protocol, 4);
  reply.writeUInt32LE(2, 8);
  reply.write('Capture', 12, 'latin1');
  return reply;
}

const frames = [];
let pending = Buffer.alloc(0);
const server = net.createServer(socket => {
  socket.on('data', chunk => {
    pending = Buffer.concat([pending, chunk]);
    while (pending.length >= 4 && pending.length >= pending.readUInt32LE(0)) {
      const size = pending.readUInt32LE(0);
      const frame = pending.subarray(0, size);
      pending = pending.subarray(size);
      if (frames.length === 0) socket.write(openReply(frame.readUInt32LE(4)));
      frames.push(Buffer.from(frame));
      if (frames.length === operations.length) finish(socket);
    }
  });
});

function finish(socket) {
  frames.forEach((frame, i) => console.log(`${operations[i]} ${frame.toString('hex')}`));
  socket.destroy();
  server.close();
  process.exit(0);
}

function positionRecord() {
  const buffer = new sc.RawBuffer(64);
  [47.4582, 8.5481, 3.5, -1.25, 2.75, 1416.5, -8.25, 142.5].forEach(v => buffer.writeFloat64(v));
  return buffer;
}

server.listen(0, '127.0.0.1', async () => {
  const { handle } = await sc.open('Aeroshadow_P3D', sc.Protocol.FSX_SP2,
                                    { host: '127.0.0.1', port: server.address().port });
  handle.mapClientEventToSimEvent(207, 'BEACON_LIGHTS_SET');
  handle.transmitClientEvent(4660, 223, 11468, 301, 16);
  handle.addClientEventToNotificationGroup(301, 208, true);
  handle.setNotificationGroupPriority(301, 1);
  handle.addToDataDefinition(403, 'ZULU TIME', 'Seconds', sc.SimConnectDataType.INT64, 0.25, 7);
  handle.requestDataOnSimObject(109, 403, 85, sc.SimConnectPeriod.SECOND, 2, 3, 5, 9);
  handle.requestDataOnSimObjectType(101, 404, 18520, sc.SimObjectType.AIRCRAFT);
  handle.setDataOnSimObject(402, 119, { buffer: positionRecord(), arrayCount: 1, tagged: false });
  handle.subscribeToSystemEvent(204, 'Frame');
  const start = new sc.InitPosition();
  Object.assign(start, { latitude: 47.4582, longitude: 8.5481, altitude: 1416.5, pitch: -2.5,
                         bank: 1.5, heading: 271.25, onGround: true, airspeed: 7 });
  handle.aICreateNonATCAircraft('Boeing 737-800 Test Livery', 'HB-JXA123456', start, 104);
  handle.aIReleaseControl(257, 103);
  handle.aIRemoveObject(258, 105);
  handle.aISetAircraftFlightPlan(259, 'orig_dest\\4CA1B2', 110);
});

setTimeout(() => { console.error('capture timed out'); process.exit(1); }, 10000);
