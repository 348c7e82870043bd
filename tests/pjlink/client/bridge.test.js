// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-pjlink in front of the simulated projector, driven by the npm "pjlink" client, which knows
// nothing of this project. Run by CTest with TAVO_PJLINK and TAVO_PROJECTOR_SIM naming the programs
// and NODE_PATH the node_modules that `npm ci` filled from package-lock.json.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { spawn } = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const PJLink = require('pjlink');

const bridgeProgram = process.env.TAVO_PJLINK;
const simulatorProgram = process.env.TAVO_PROJECTOR_SIM;
const password = 'JBMIAProjectorLink';

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Starts a program and resolves with it once a line of its output matches `ready`.
function start(program, args, stream, ready) {
  return new Promise((resolve, reject) => {
    const child = spawn(program, args, { stdio: ['ignore', 'pipe', 'pipe'] });
    child.output = '';
    child.errors = '';
    child.stdout.on('data', (d) => { child.output += d; });
    child.stderr.on('data', (d) => { child.errors += d; });
    const timer = setTimeout(() => reject(new Error(`${program} did not start: ${child.errors}`)), 10000);
    child[stream].on('data', () => {
      const match = (stream === 'stdout' ? child.output : child.errors).match(ready);
      if (match) {
        clearTimeout(timer);
        resolve({ child, match });
      }
    });
    child.on('exit', (code) => reject(new Error(`${program} ended with ${code}: ${child.errors}`)));
  });
}

// Network tests listen below the range the kernel hands out to clients (32768 up on Linux): a
// client that keeps connecting to a port nobody listens on (a device missing at start, a simulator
// coming back) may otherwise be given that very port and connect to itself. Each search starts at
// a random place, so that test programs run side by side rarely meet.
const firstPort = 20000;
const portCount = 32768 - firstPort;

// Makes `server` listen on 127.0.0.1 at such a port; resolves with the port.
async function listenBelowClientPorts(server) {
  const start = crypto.randomInt(portCount);
  for (let i = 0; i < portCount; ++i) {
    const port = firstPort + ((start + i) % portCount);
    const listening = await new Promise((resolve) => {
      const failed = () => resolve(false);
      server.once('error', failed);
      server.listen(port, '127.0.0.1', () => {
        server.removeListener('error', failed);
        resolve(true);
      });
    });
    if (listening) {
      return port;
    }
  }
  throw new Error('no free loopback port below the client range');
}

// Such a port no one listens on now, for a program that will listen on it itself.
async function freePort() {
  const server = net.createServer();
  const port = await listenBelowClientPorts(server);
  await new Promise((resolve) => server.close(resolve));
  return port;
}

function startSimulator(port) {
  return start(simulatorProgram, ['--listen', `tcp://127.0.0.1:${port}`, '--verbose', '--split', '0'], 'stdout',
    /tcp:\/\/127\.0\.0\.1:(\d+)/);
}

// Resolves once the bridge listens and, unless `deviceAway`, once its device is open: a device
// server in raw TCP mode counts as open only after a short wait for a refusal.
async function startBridge(device, extra, deviceAway = false) {
  const listen = `127.0.0.1:${await freePort()}`;
  const { child, match } = await start(bridgeProgram, ['--listen', listen, ...extra, device], 'stderr',
    /serving PJLink on 127\.0\.0\.1:(\d+)/);
  if (!deviceAway && !(await within(5000, () => /projector on/.test(child.errors)))) {
    throw new Error(`the bridge did not open ${device}: ${child.errors}`);
  }
  return { child, port: Number(match[1]) };
}

function stop(child) {
  return new Promise((resolve) => {
    if (child.exitCode !== null) {
      resolve();
      return;
    }
    child.removeAllListeners('exit');
    child.on('exit', resolve);
    child.kill('SIGTERM');
  });
}

// The client's calls as promises of [error, ...values].
function ask(client, method, ...args) {
  return new Promise((resolve) => client[method](...args, (...result) => resolve(result)));
}

// A plain TCP client that collects what it receives and notes when the bridge closes it; from
// `from`, one of the loopback addresses, so that several hosts can be played on one machine.
function rawClient(port, from = '127.0.0.1') {
  return new Promise((resolve, reject) => {
    const socket = net.connect({ port, host: '127.0.0.1', localAddress: from });
    socket.received = '';
    socket.ended = false;
    socket.on('data', (d) => { socket.received += d; });
    socket.on('close', () => { socket.ended = true; });
    socket.once('error', reject);
    socket.once('connect', () => resolve(socket));
  });
}

// Whether `condition` holds within `ms`.
async function within(ms, condition) {
  const end = Date.now() + ms;
  while (!condition()) {
    if (Date.now() > end) {
      return false;
    }
    await sleep(5);
  }
  return true;
}

// A device server in raw TCP mode playing a projector by script: `answer(line, count)` gives, for
// the count-th line the device receives, [delay in ms, reply], or nothing for no reply. The lines
// it received are in `server.lines`.
function scriptedDevice(answer) {
  return new Promise((resolve, reject) => {
    const server = net.createServer((socket) => {
      let pending = '';
      socket.on('error', () => {});
      socket.on('data', (d) => {
        pending += d.toString('latin1');
        for (let cr = pending.indexOf('\r'); cr >= 0; cr = pending.indexOf('\r')) {
          const line = pending.slice(0, cr);
          pending = pending.slice(cr + 1);
          server.lines.push({ line, at: Date.now() });
          const reply = answer(line, server.lines.length);
          if (reply) {
            setTimeout(() => socket.write(reply[1], 'latin1'), reply[0]);
          }
        }
      });
    });
    server.lines = [];
    listenBelowClientPorts(server).then(() => resolve(server), reject);
  });
}

// Seconds of CPU the process has used, from /proc.
function cpuSeconds(pid) {
  const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
  // utime and stime, the 14th and 15th fields, in clock ticks of 1/100 s on Linux.
  return (Number(fields[11]) + Number(fields[12])) / 100;
}

let simulator;
let simulatorPort;
let bridge;
// A bridge with a password, in front of a simulator of its own: a raw TCP port serves one client.
let securedSimulator;
let secured;
let passwordDir;

before(async () => {
  simulatorPort = await freePort();
  simulator = (await startSimulator(simulatorPort)).child;
  bridge = await startBridge(`tcp://127.0.0.1:${simulatorPort}`, ['--name', 'Hall 2']);
  passwordDir = fs.mkdtempSync(path.join(os.tmpdir(), 'tavo-pjlink-'));
  const passwordFile = path.join(passwordDir, 'password');
  fs.writeFileSync(passwordFile, `${password}\n`, { mode: 0o600 });
  const securedPort = await freePort();
  securedSimulator = (await startSimulator(securedPort)).child;
  secured = await startBridge(`tcp://127.0.0.1:${securedPort}`, ['--password-file', passwordFile]);
});

after(async () => {
  await stop(bridge.child);
  await stop(secured.child);
  await stop(simulator);
  await stop(securedSimulator);
  fs.rmSync(passwordDir, { recursive: true, force: true });
});

test('power on, then POWR ? goes through warming up to on', async () => {
  const client = new PJLink('127.0.0.1', bridge.port);
  try {
    assert.deepEqual(await ask(client, 'getPowerState'), [null, 0]);
    assert.deepEqual(await ask(client, 'powerOn'), []);
    const seen = [];
    for (let tries = 0; tries < 40 && seen.at(-1) !== 1; ++tries) {
      const [error, state] = await ask(client, 'getPowerState');
      assert.equal(error, null);
      if (seen.at(-1) !== state) {
        seen.push(state);
      }
      await sleep(300);
    }
    assert.deepEqual(seen, [3, 1]);
    assert.deepEqual(await ask(client, 'getName'), [null, 'Hall', '2']);
    assert.deepEqual(await ask(client, 'getClass'), [null, '1']);
  } finally {
    client.disconnect();
  }
});

test('an input is set and read back, and listed by INST', async () => {
  const client = new PJLink('127.0.0.1', bridge.port);
  try {
    const [listError, inputs] = await ask(client, 'getInputs');
    assert.equal(listError, null);
    assert.ok(inputs.some((i) => i.code === '24'));
    assert.deepEqual(await ask(client, 'setInput', '24'), []);
    const [error, input] = await ask(client, 'getInput');
    assert.equal(error, null);
    assert.equal(input.code, '24');
    assert.match(simulator.errors, /<- CF INPUT3 S-VIDEO<CR>/);
  } finally {
    client.disconnect();
  }
});

test('audio mute is set and reported', async () => {
  const client = new PJLink('127.0.0.1', bridge.port);
  try {
    assert.deepEqual(await ask(client, 'setMute', { audio: true, video: false }), []);
    assert.deepEqual(await ask(client, 'getMute'), [null, { audio: true, video: false }]);
    assert.match(simulator.errors, /<- C0B<CR>/);
  } finally {
    client.disconnect();
  }
});

test('lamp hours and the error status', async () => {
  const client = new PJLink('127.0.0.1', bridge.port);
  try {
    assert.deepEqual(await ask(client, 'getLamps'), [null, [{ hours: 1234, on: true }]]);
    assert.deepEqual(await ask(client, 'getErrors'), [null, null]);
  } finally {
    client.disconnect();
  }
});

test('a wrong password is refused; with the right one, the whole round', async () => {
  const wrong = new PJLink({ host: '127.0.0.1', port: secured.port, password: 'guess' });
  const [error] = await ask(wrong, 'getPowerState');
  assert.equal(error?.message, 'Authorization failed');
  wrong.disconnect();
  const right = new PJLink({ host: '127.0.0.1', port: secured.port, password });
  try {
    assert.deepEqual(await ask(right, 'getPowerState'), [null, 0]);
    assert.deepEqual(await ask(right, 'powerOn'), []);
    assert.deepEqual(await ask(right, 'getPowerState'), [null, 3]);
    assert.deepEqual(await ask(right, 'getLamps'), [null, [{ hours: 1234, on: true }]]);
    assert.deepEqual(await ask(right, 'getErrors'), [null, null]);
    // The rest of the round, once the projector is on.
    let state;
    for (let tries = 0; tries < 40 && state !== 1; ++tries) {
      await sleep(300);
      state = (await ask(right, 'getPowerState'))[1];
    }
    assert.equal(state, 1);
    assert.deepEqual(await ask(right, 'setInput', '31'), []);
    assert.equal((await ask(right, 'getInput'))[1]?.code, '31');
    assert.deepEqual(await ask(right, 'setMute', { audio: true, video: false }), []);
    assert.deepEqual(await ask(right, 'getMute'), [null, { audio: true, video: false }]);
  } finally {
    right.disconnect();
  }
});

test('a digest repeated before a later command is taken; a line naming no command closes the connection', async () => {
  const socket = await rawClient(secured.port);
  try {
    assert.ok(await within(2000, () => /^PJLINK 1 [0-9a-f]{8}\r$/.test(socket.received)), socket.received);
    const digest = crypto.createHash('md5').update(socket.received.slice(9, 17) + password).digest('hex');
    for (const [command, answer] of [['%1CLSS ?', '%1CLSS=1'], ['%1INF2 ?', '%1INF2=R5500/R730']]) {
      socket.received = '';
      socket.write(`${digest}${command}\r`);
      assert.ok(await within(2000, () => socket.received === `${answer}\r`), `${command}: ${socket.received}`);
    }
    socket.received = '';
    socket.write('hello\r');
    assert.ok(await within(1000, () => socket.ended), 'the connection stayed open');
    assert.equal(socket.received, '');
  } finally {
    socket.destroy();
  }
});

test('two clients polling at once never interleave on the wire', async () => {
  const before = simulator.errors.length;
  const poll = async (client) => {
    // Long enough for the replies the bridge keeps for a second to go stale a few times.
    for (let i = 0; i < 12; ++i) {
      assert.equal((await ask(client, 'getPowerState'))[0], null);
      assert.equal((await ask(client, 'getInput'))[0], null);
      assert.equal((await ask(client, 'getLamps'))[0], null);
      assert.equal((await ask(client, 'getErrors'))[0], null);
      await sleep(200);
    }
    client.disconnect();
  };
  await Promise.all([
    poll(new PJLink('127.0.0.1', bridge.port)),
    poll(new PJLink('127.0.0.1', bridge.port)),
  ]);
  // The simulator logs each piece it received ("<- ") and sent ("-> "): every line must arrive
  // whole and be answered before the next one is written.
  const wire = simulator.errors.slice(before).trim().split('\n');
  assert.ok(wire.length >= 16, wire.join('\n'));
  let waiting = false;
  for (const entry of wire) {
    if (entry.startsWith('<- ')) {
      assert.ok(!waiting, `a line was written before the last one was answered:\n${wire.join('\n')}`);
      assert.match(entry, /^<- CR[0136]<CR>$/);
      waiting = true;
    } else {
      assert.match(entry, /^-> .*<CR>$/);
      waiting = false;
    }
  }
});

test('a lost device gives ERR4 at once, and the bridge carries on once it is back', async () => {
  await stop(simulator);
  const client = new PJLink('127.0.0.1', bridge.port);
  try {
    const asked = Date.now();
    const [error] = await ask(client, 'getInput');
    assert.equal(error?.message, 'Projector/Display failure');
    assert.ok(Date.now() - asked < 1500, `ERR4 took ${Date.now() - asked} ms`);
    simulator = (await startSimulator(simulatorPort)).child;
    let answer;
    for (let tries = 0; tries < 20; ++tries) {
      answer = await ask(client, 'getPowerState');
      if (answer[0] === null) {
        break;
      }
      await sleep(500);
    }
    assert.deepEqual(answer, [null, 0]);
  } finally {
    client.disconnect();
  }
});

test('a device missing at start: ERR4 at once, and answers as soon as the device is there', async () => {
  const port = await freePort();
  const late = await startBridge(`tcp://127.0.0.1:${port}`, [], true);
  let lateSimulator;
  const client = new PJLink('127.0.0.1', late.port);
  try {
    const asked = Date.now();
    const [error] = await ask(client, 'getPowerState');
    assert.equal(error?.message, 'Projector/Display failure');
    assert.ok(Date.now() - asked < 1500, `ERR4 took ${Date.now() - asked} ms`);
    assert.match(late.child.errors, /cannot be opened.*The bridge answers ERR4 and tries again/);
    assert.doesNotMatch(late.child.errors, /panel/i);
    lateSimulator = (await startSimulator(port)).child;
    let answer;
    // The retries come ever less often, 8 s apart at the longest.
    for (let tries = 0; tries < 30; ++tries) {
      answer = await ask(client, 'getPowerState');
      if (answer[0] === null) {
        break;
      }
      await sleep(500);
    }
    assert.deepEqual(answer, [null, 0]);
  } finally {
    client.disconnect();
    await stop(late.child);
    if (lateSimulator) {
      await stop(lateSimulator);
    }
  }
});

test('50 connections dropped at once leave the bridge answering; eight controllers keep their slots', async () => {
  await Promise.all(Array.from({ length: 50 }, () => new Promise((resolve) => {
    const socket = net.connect(bridge.port, '127.0.0.1', () => {
      socket.destroy();
      resolve();
    });
    socket.on('error', resolve);
  })));
  const next = new PJLink('127.0.0.1', bridge.port);
  const asked = Date.now();
  assert.deepEqual(await ask(next, 'getClass'), [null, '1']);
  assert.ok(Date.now() - asked < 1000, `the next client waited ${Date.now() - asked} ms`);
  next.disconnect();

  const held = [];
  try {
    // Four controllers on each of two hosts, each with a command answered: their slots are earned.
    for (let i = 0; i < 8; ++i) {
      const socket = await rawClient(bridge.port, i < 4 ? '127.0.0.1' : '127.0.0.2');
      held.push(socket);
      assert.ok(await within(2000, () => socket.received === 'PJLINK 0\r'), socket.received);
      socket.write('%1CLSS ?\r');
      assert.ok(await within(2000, () => socket.received.endsWith('%1CLSS=1\r')), socket.received);
    }
    // Neither a fifth connection of a host nor a ninth of all may take an earned slot.
    for (const from of ['127.0.0.1', '127.0.0.3']) {
      const refused = await rawClient(bridge.port, from);
      held.push(refused);
      assert.ok(await within(500, () => refused.ended), `a connection from ${from} stayed open`);
      assert.equal(refused.received, '');
    }
    for (const socket of held.slice(0, 8)) {
      socket.received = '';
      socket.write('%1POWR ?\r');
    }
    for (const socket of held.slice(0, 8)) {
      assert.ok(await within(5000, () => socket.received.endsWith('\r')), 'one of the eight got no answer');
      assert.match(socket.received, /^%1POWR=[0-3]\r$/);
    }
  } finally {
    held.forEach((socket) => socket.destroy());
  }
});

test('while connections that send nothing flood in from four hosts, a controller is answered within a second', async () => {
  let flooding = true;
  let opened = 0;
  const open = new Set();
  const flood = async (from) => {
    while (flooding) {
      const socket = net.connect({ port: bridge.port, host: '127.0.0.1', localAddress: from });
      socket.on('error', () => {});
      socket.on('close', () => open.delete(socket));
      open.add(socket);
      ++opened;
      // Half-open: they never send a byte, and at most 500 are kept at once.
      while (open.size > 500 && flooding) {
        await sleep(1);
      }
      await new Promise((resolve) => setImmediate(resolve));
    }
  };
  const floods = ['127.0.0.11', '127.0.0.12', '127.0.0.13', '127.0.0.14'].map(flood);
  const waits = [];
  try {
    await sleep(300);
    for (let i = 0; i < 5; ++i) {
      const client = new PJLink('127.0.0.1', bridge.port);
      const asked = Date.now();
      const answer = await ask(client, 'getPowerState');
      waits.push(Date.now() - asked);
      client.disconnect();
      assert.equal(answer[0], null, `answer ${i}: ${answer[0]?.message}`);
      await sleep(200);
    }
  } finally {
    flooding = false;
    await Promise.all(floods);
    open.forEach((socket) => socket.destroy());
  }
  assert.ok(opened > 500, `only ${opened} connections were opened`);
  assert.ok(waits.every((ms) => ms < 1000), `the controller waited ${waits.join(', ')} ms`);
});

test('a reply that comes after its wait answers no later command', async () => {
  // The first power read is answered 2.3 s late, "on"; the projector, caught up, is in standby.
  const device = await scriptedDevice((line, count) => (line === 'CR0' ? [count === 1 ? 2300 : 20, count === 1 ? '00\r' : '80\r'] : null));
  const late = await startBridge(`tcp://127.0.0.1:${device.address().port}`, []);
  const client = new PJLink('127.0.0.1', late.port);
  try {
    let asked = Date.now();
    const [error] = await ask(client, 'getPowerState');
    assert.equal(error?.message, 'Projector/Display failure');
    assert.ok(Date.now() - asked < 2500, `ERR4 took ${Date.now() - asked} ms`);
    asked = Date.now();
    assert.deepEqual(await ask(client, 'getPowerState'), [null, 0]);
    assert.equal(device.lines.length, 2);
    assert.ok(device.lines[1].at - device.lines[0].at >= 2300, 'the second read went out before the late reply');
    assert.match(late.child.errors, /dropped 3 bytes that came after the reply wait of CR0: 00<CR>/);
  } finally {
    client.disconnect();
    await stop(late.child);
    device.close();
  }
});

test('a projector that answers nothing: three controllers asking at once each get ERR4 within 2.5 s', async () => {
  const device = await scriptedDevice(() => null);
  const silent = await startBridge(`tcp://127.0.0.1:${device.address().port}`, []);
  const clients = [0, 1, 2].map(() => new PJLink('127.0.0.1', silent.port));
  try {
    const asked = Date.now();
    const answers = await Promise.all(clients.map(async (client) => {
      const [error] = await ask(client, 'getPowerState');
      return { error: error?.message, ms: Date.now() - asked };
    }));
    for (const answer of answers) {
      assert.equal(answer.error, 'Projector/Display failure');
      assert.ok(answer.ms < 2500, `ERR4 after ${answers.map((a) => a.ms).join(', ')} ms`);
    }
    assert.equal(device.lines.length, 1, 'the commands behind the unanswered one were sent');
    // A command that comes later is tried again.
    await ask(clients[0], 'getPowerState');
    assert.equal(device.lines.length, 2);
  } finally {
    clients.forEach((client) => client.disconnect());
    await stop(silent.child);
    device.close();
  }
});

test('a device babbling at full speed for 10 s costs the bridge little CPU and log; controllers get ERR4', async (t) => {
  const chunk = Buffer.alloc(64 * 1024, 'babble ');
  let babbling = true;
  let sent = 0;
  const device = net.createServer((socket) => {
    socket.on('error', () => {});
    const spew = () => {
      while (babbling && socket.write(chunk)) {
        sent += chunk.length;
      }
      if (babbling) {
        socket.once('drain', spew);
      } else {
        socket.end();
      }
    };
    spew();
  });
  await listenBelowClientPorts(device);
  const babbled = await startBridge(`tcp://127.0.0.1:${device.address().port}`, []);
  const logBefore = babbled.child.errors.length;
  const cpuBefore = cpuSeconds(babbled.child.pid);
  const answers = [];
  try {
    const end = Date.now() + 10000;
    while (Date.now() < end) {
      const client = new PJLink('127.0.0.1', babbled.port);
      const asked = Date.now();
      const [error] = await ask(client, 'getPowerState');
      answers.push({ error: error?.message, ms: Date.now() - asked });
      client.disconnect();
      await sleep(500);
    }
    const cpu = cpuSeconds(babbled.child.pid) - cpuBefore;
    const log = babbled.child.errors.length - logBefore;
    t.diagnostic(`${sent} bytes offered; bridge CPU ${cpu} s, log ${log} bytes; answers ${JSON.stringify(answers)}`);
    assert.ok(sent > 1e6, `the device sent only ${sent} bytes`);
    assert.ok(cpu <= 2, `the bridge used ${cpu} s of CPU`);
    assert.ok(log <= 256 * 1024, `the log grew by ${log} bytes`);
    assert.ok(answers.every((a) => a.error === 'Projector/Display failure' && a.ms < 2500),
      JSON.stringify(answers));
  } finally {
    babbling = false;
    await stop(babbled.child);
    device.close();
  }
});
