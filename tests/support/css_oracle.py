"""Rules and declarations of CSS files as tinycss2 reads them, one line each.

usage: css_oracle.py FILE...   (run with Debian's /usr/bin/python3)
       css_oracle.py --pieces JSON

With --pieces, the lines are made from what another reader found: a JSON
list of entries, each {"path": [prelude text, ...], and "name", "value",
"important" for a declaration, "junk" for text that is no declaration,
or "statement" for an at-rule without a block}; an entry with only a path
is a rule. Its texts are normalised here as the file's are, so the two
sets of lines are equal when the reader found the same structure.

Each line is the path of rule preludes down to a declaration, so two sheets
that mean the same give the same lines in the same order. Whitespace is
normalised the way it means nothing to a browser (runs are one blank, none
next to a comma or at the ends) and comments are left out. Blocks are read
by the nesting rules of CSS Syntax Level 3: something that looks like a
declaration but holds a {} block among other values is a nested rule.
"""

import sys

import tinycss2


def norm(nodes):
    out = []
    for n in nodes:
        if n.type == 'comment':
            continue
        if n.type == 'whitespace':
            out.append(' ')
        elif n.type == '() block':
            out.append('(' + norm(n.content) + ')')
        elif n.type == '[] block':
            out.append('[' + norm(n.content) + ']')
        elif n.type == '{} block':
            out.append('{' + norm(n.content) + '}')
        elif n.type == 'string':
            # By value: an unterminated string means the same as one closed.
            out.append('"' + n.value.replace('\\', '\\\\').replace('"', '\\"').replace('\n', '\\a ') + '"')
        elif n.type == 'url':
            out.append('url(' + n.value + ')')
        elif n.type == 'function':
            out.append(tinycss2.serialize([tinycss2.ast.IdentToken(0, 0, n.name)]) + '(' + norm(n.arguments) + ')')
        else:
            out.append(tinycss2.serialize([n]))
    text = ''.join(out)
    while '  ' in text:
        text = text.replace('  ', ' ')
    return text.replace(' ,', ',').replace(', ', ',').strip()


def is_literal(n, value):
    return n.type == 'literal' and n.value == value


def blank(n):
    return n.type in ('whitespace', 'comment')


def contents(values, path, lines):
    i = 0
    while i < len(values):
        v = values[i]
        if blank(v) or is_literal(v, ';'):
            i += 1
            continue
        if v.type == 'ident':
            j = i + 1
            while j < len(values) and blank(values[j]):
                j += 1
            if j < len(values) and is_literal(values[j], ':'):
                k = j + 1
                while k < len(values) and not is_literal(values[k], ';'):
                    k += 1
                value = [t for t in values[j + 1:k] if not blank(t)]
                block = any(t.type == '{} block' for t in value)
                if v.value.startswith('--') or not block or (len(value) == 1):
                    d = tinycss2.parse_one_declaration(values[i:k])
                    if d.type == 'declaration':
                        lines.append(path + ' | ' + d.name + ': ' + norm(d.value)
                                     + (' !important' if d.important else ''))
                    else:
                        lines.append(path + ' | error ' + d.kind)
                    i = k + 1
                    continue
        # A rule, or text up to ";" that is none.
        j = i + (1 if v.type == 'at-keyword' else 0)
        while j < len(values) and values[j].type != '{} block' and not is_literal(values[j], ';'):
            j += 1
        prelude = norm(values[i:j])
        if j < len(values) and values[j].type == '{} block':
            rule(path + ' > ' + prelude, values[j].content, lines)
        elif v.type == 'at-keyword':
            lines.append(path + ' > ' + prelude + ';')
        else:
            lines.append(path + ' | junk ' + prelude)
        i = j + 1


def rule(path, content, lines):
    lines.append(path)
    contents(content, path, lines)


def sheet_lines(text):
    lines = []
    for r in tinycss2.parse_stylesheet(text, skip_comments=True, skip_whitespace=True):
        if r.type == 'qualified-rule':
            rule(norm(r.prelude), r.content, lines)
        elif r.type == 'at-rule':
            prelude = '@' + r.at_keyword + ' ' + norm(r.prelude)
            if r.content is None:
                lines.append(prelude.strip() + ';')
            else:
                rule(prelude.strip(), r.content, lines)
        else:
            lines.append('error ' + r.kind)
    return lines


def prelude_text(raw, top):
    values = tinycss2.parse_component_value_list(raw)
    if top and values and values[0].type == 'at-keyword':
        return ('@' + values[0].value + ' ' + norm(values[1:])).strip()
    return norm(values)


def piece_lines(entries):
    lines = []
    for e in entries:
        path = ' > '.join(prelude_text(p, i == 0) for i, p in enumerate(e['path']))
        if 'name' in e:
            value = norm(tinycss2.parse_component_value_list(e['value']))
            lines.append(path + ' | ' + e['name'] + ': ' + value
                         + (' !important' if e['important'] else ''))
        elif 'junk' in e:
            lines.append(path + ' | junk ' + norm(tinycss2.parse_component_value_list(
                e['junk'].rstrip().rstrip(';'))))
        elif 'statement' in e:
            lines.append((path + ' > ' if path else '')
                         + prelude_text(e['statement'], not path) + ';')
        else:
            lines.append(path)
    return lines


def main():
    if sys.argv[1:2] == ['--pieces']:
        import json
        with open(sys.argv[2], encoding='utf-8') as f:
            print('\n'.join(piece_lines(json.load(f))))
        return
    for name in sys.argv[1:]:
        with open(name, 'rb') as f:
            data = f.read()
        # The sheets are UTF-8 (a byte-order mark allowed) or Shift-JIS.
        try:
            text = data.decode('utf-8-sig')
        except UnicodeDecodeError:
            text = data.decode('cp932')
        print('\n'.join(sheet_lines(text)))


main()
