// Parses every statement recorded on the SQL Server path (a JSON array of
// {flow, sql}) with a T-SQL parser; fails, listing them, when any does not
// parse. allowed.txt holds the reviewed patterns the parser cannot read.
// Usage: node check.mjs STATEMENTS.json
import { init, parse } from '@guanmingchiu/sqlparser-ts';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const file = process.argv[2];
if (!file) {
  console.error('Uso: node check.mjs ISTRUZIONI.json');
  process.exit(2);
}
let statements;
try {
  statements = JSON.parse(readFileSync(file, 'utf8'));
} catch (error) {
  console.error(`Impossibile leggere ${file}: ${error.message}`);
  process.exit(2);
}
const allowed = readFileSync(join(here, 'allowed.txt'), 'utf8')
  .split('\n')
  .map((line) => line.trim())
  .filter((line) => line && !line.startsWith('#'))
  .map((line) => new RegExp(line, 'is'));

await init();
const failures = [];
let parsed = 0;
let skipped = 0;
for (const { flow, sql } of statements) {
  if (allowed.some((pattern) => pattern.test(sql))) {
    skipped++;
    continue;
  }
  try {
    parse(sql, 'mssql');
    parsed++;
  } catch (error) {
    failures.push(`${flow}: ${String(error.message ?? error).split('\n')[0]}\n    ${sql.replace(/\s+/g, ' ').slice(0, 400)}`);
  }
}
console.log(`T-SQL: ${parsed} istruzioni lette, ${skipped} ammesse senza lettura, ${failures.length} non lette (${file})`);
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
