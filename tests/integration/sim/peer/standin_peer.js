// An independent SimConnect client (node-simconnect, FSX SP2 protocol) that
// checks the simulator stand-in speaks the real protocol: open, a system
// event, the user aircraft's position, an AI aircraft created and announced,
// and a refused title answered with the failing send id.
// Usage: node standin_peer.js <node_modules folder> <port> <lat> <lon> <installed title> <unknown title>
'use strict';
const path = require('path');
const sc = require(path.join(process.argv[2], 'node-simconnect'));
const [port, lat, lon] = [Number(process.argv[3]), Number(process.argv[4]), Number(process.argv[5])];
const [installedTitle, unknownTitle] = [process.argv[6], process.argv[7]];

const EVENT_SIM = 1, EVENT_ADDED = 2, DEF_POSITION = 10, REQ_POSITION = 20, REQ_CREATE = 30, REQ_REFUSED = 31;

function fail(message) {
  console.error(`FAIL ${message}`);
  process.exit(1);
}
setTimeout(() => fail('timed out'), 15000);

const seen = { sim: false, position: false, added: false, assigned: false, refused: false };
function check(name) {
  seen[name] = true;
  console.log(`OK ${name}`);
  if (Object.values(seen).every(Boolean)) process.exit(0);
}

sc.open('standin_peer', sc.Protocol.FSX_SP2, { host: '127.0.0.1', port }).then(({ recvOpen, handle }) => {
  if (!recvOpen.applicationName.includes('Prepar3D')) fail(`unexpected simulator ${recvOpen.applicationName}`);
  console.log(`OK open ${recvOpen.applicationName.replace(/[^ -~]/g, '?')} ${recvOpen.applicationVersionMajor}`);
  let refusedSendId = -1;
  let createdId = -1;

  handle.on('event', e => {
    if (e.clientEventId === EVENT_SIM && e.data === 1) check('sim');
  });
  handle.on('simObjectData', d => {
    if (d.requestID !== REQ_POSITION) return;
    const gotLat = d.data.readFloat64(), gotLon = d.data.readFloat64();
    if (Math.abs(gotLat - lat) > 1e-6 || Math.abs(gotLon - lon) > 1e-6) fail(`position ${gotLat},${gotLon}`);
    check('position');
  });
  handle.on('assignedObjectID', a => {
    if (a.requestID !== REQ_CREATE) fail(`assigned id for request ${a.requestID}`);
    createdId = a.objectID;
    check('assigned');
  });
  handle.on('eventAddRemove', e => {
    if (e.clientEventId !== EVENT_ADDED) return;
    if (e.type !== sc.SimObjectType.AIRCRAFT) fail(`added object of type ${e.type}`);
    if (createdId !== -1 && e.data !== createdId) fail(`added ${e.data}, assigned ${createdId}`);
    check('added');
  });
  handle.on('exception', ex => {
    if (ex.exception === sc.SimConnectException.CREATE_OBJECT_FAILED && ex.sendId === refusedSendId) check('refused');
    else fail(`exception ${ex.exception} for send id ${ex.sendId}`);
  });

  handle.subscribeToSystemEvent(EVENT_SIM, 'Sim');
  handle.subscribeToSystemEvent(EVENT_ADDED, 'ObjectAdded');
  handle.addToDataDefinition(DEF_POSITION, 'Plane Latitude', 'degrees', sc.SimConnectDataType.FLOAT64);
  handle.addToDataDefinition(DEF_POSITION, 'Plane Longitude', 'degrees', sc.SimConnectDataType.FLOAT64);
  handle.requestDataOnSimObject(REQ_POSITION, DEF_POSITION, sc.SimConnectConstants.OBJECT_ID_USER,
                                sc.SimConnectPeriod.ONCE);
  const start = new sc.InitPosition();
  Object.assign(start, { latitude: lat, longitude: lon + 0.01, altitude: 0, pitch: 0, bank: 0, heading: 90,
                         onGround: true, airspeed: 0 });
  handle.aICreateNonATCAircraft(installedTitle, 'PEER1', start, REQ_CREATE);
  refusedSendId = handle.aICreateNonATCAircraft(unknownTitle, 'PEER2', start, REQ_REFUSED);
}).catch(error => fail(error.message));
