-- Sample rows of the receivables database.
-- Every CODBARRAS is a valid 44-digit bank-slip code (general check digit,
-- due-date factor, value in cents, bank free field) and LINHADIGITAVEL is
-- its digitable line with the three field check digits.

-- Customers. Customer 4 has an observation text (printed on the portfolios
-- that ask for it); customer 5 is type A (rural producer: CPF and IE).
INSERT INTO clientes (codigo, nome, fantasia, tipocli, cnpj, cpf, Ie, identidade,
  endereco, bairro, cidade, uf, cep, fone1, fone2, fax1, fax2, celular, contato,
  email, Obs_cli, data_cad, limite_credito)
VALUES (1, 'Transportes Ribeirão Ltda', 'Ribeirão Cargas', 'J', '08.765.432/0001-03', '', '096/1234567', '',
  'Av. Brasil Leste, 2250', 'São Cristóvão', 'Passo Fundo', 'RS', '99025-000', '(54) 3312-4400', '(54) 3312-4401', '(54) 3312-4409', '', '(54) 99912-3344', 'Cláudio Ribeirão',
  'financeiro@ribeirao.example', NULL,
  '2019-03-11', 15000.00);

INSERT INTO clientes (codigo, nome, fantasia, tipocli, cnpj, cpf, Ie, identidade,
  endereco, bairro, cidade, uf, cep, fone1, fone2, fax1, fax2, celular, contato,
  email, Obs_cli, data_cad, limite_credito)
VALUES (2, 'João da Silva Araújo', '', 'F', '', '529.982.247-25', '', '1023456789',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100', '(54) 3045-1122', '', '', '', '(54) 99634-7788', '',
  'joao.araujo@correio.example', NULL,
  '2021-08-02', 3000.00);

INSERT INTO clientes (codigo, nome, fantasia, tipocli, cnpj, cpf, Ie, identidade,
  endereco, bairro, cidade, uf, cep, fone1, fone2, fax1, fax2, celular, contato,
  email, Obs_cli, data_cad, limite_credito)
VALUES (3, 'Maria da Conceição Löwen', '', 'F', '', '153.509.460-56', '', '5098765432',
  'Rua Uruguai, 1180', 'Glória', 'Carazinho', 'RS', '99500-000', '(54) 3331-9087', '', '', '', '(54) 98111-2030', '',
  'maria.lowen@correio.example', NULL,
  '2022-01-17', 2000.00);

INSERT INTO clientes (codigo, nome, fantasia, tipocli, cnpj, cpf, Ie, identidade,
  endereco, bairro, cidade, uf, cep, fone1, fone2, fax1, fax2, celular, contato,
  email, Obs_cli, data_cad, limite_credito)
VALUES (4, 'Comércio de Peças Éden Ltda', 'Éden Autopeças', 'J', '04.567.890/0001-79', '', '096/7654321', '',
  'Rua Independência, 3010', 'Vila Rodrigues', 'Passo Fundo', 'RS', '99070-000', '(54) 3316-5500', '', '', '', '(54) 99177-0102', 'Sebastião Müller',
  'compras@eden.example', 'Atenção: desconto de 5% para pagamento até o vencimento.' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Contato financeiro: Sr. Sebastião (ramal 21).',
  '2018-11-05', 25000.00);

INSERT INTO clientes (codigo, nome, fantasia, tipocli, cnpj, cpf, Ie, identidade,
  endereco, bairro, cidade, uf, cep, fone1, fone2, fax1, fax2, celular, contato,
  email, Obs_cli, data_cad, limite_credito)
VALUES (5, 'Agropecuária Ouro Verde', 'Granja Ouro Verde', 'A', '', '714.602.380-01', '176/0098765', '3012345678',
  'Linha São Roque, s/n', 'Interior', 'Marau', 'RS', '99150-000', '(54) 3342-1200', '', '', '', '(54) 99205-6677', 'Antônio Zanella',
  'ouroverde@granja.example', NULL,
  '2020-05-20', 10000.00);

INSERT INTO clientes (codigo, nome, fantasia, tipocli, cnpj, cpf, Ie, identidade,
  endereco, bairro, cidade, uf, cep, fone1, fone2, fax1, fax2, celular, contato,
  email, Obs_cli, data_cad, limite_credito)
VALUES (6, 'Lúcia Helena Simões', '', 'F', '', '390.533.447-05', '', '7045612389',
  'Av. Sete de Setembro, 455', 'Centro', 'Erechim', 'RS', '99700-000', '(54) 3522-7410', '', '', '', '(54) 99988-1212', '',
  'lucia.simoes@correio.example', NULL,
  '2023-02-14', 1500.00);

-- Bank accounts and their portfolios: account N belongs to portfolio N.
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (1, 1, 'Bradesco - cobrança registrada');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (2, 2, 'Bradesco - filial, imprime observação do cliente');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (3, 3, 'Sicredi - carnê');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (4, 4, 'Sicredi - página inteira com comprovante de entrega');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (5, 5, 'Sicoob - sem comprovante');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (6, 6, 'Sicoob - comprovante compacto');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (7, 7, 'Itaú - carteira 109 com sacador/avalista');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (8, 8, 'Banrisul');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (9, 9, 'Cresol - leiaute próprio (banco 133) com comprovante');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (10, 10, 'Cresol - variante Bradesco (banco 237), imprime observação');
INSERT INTO exportacao (chaveContaCorrente, cod_carteira, descricao) VALUES (11, 11, 'Banco do Brasil - banco sem leiaute');

-- Portfolio 1: Bradesco - cobrança registrada.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_ENDERECO_CED', 'Rua das Acácias, 1500 - Centro');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_CIDADE_UF_CEP', 'Passo Fundo - RS - CEP 99010-000');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_AG', '1234');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_AG_DV', '3');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_CC', '0012345');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_CC_DV', '5');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_LOCALPGTO', 'Pagável preferencialmente na rede Bradesco ou no Bradesco Expresso');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_AT', 'N');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_TIPO_CRT_SR', '09');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (1, 'BRD_PRINTOBSCLIENTE', 'NAO');

-- Portfolio 2: Bradesco - filial, imprime observação do cliente.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_NOME', 'Oficina D''Avila Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_ENDERECO_CED', 'Av. Presidente Vargas, 88 - São Cristóvão');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_CIDADE_UF_CEP', 'Passo Fundo - RS - CEP 99025-000');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_AG', '0456');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_AG_DV', '1');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_CC', '0067890');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_CC_DV', '2');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_LOCALPGTO', 'Pagável em qualquer banco até o vencimento');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_CNPJ', '12.345.678/0002-76');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_AT', 'N');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_TIPO_CRT_SR', '09');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (2, 'BRD_PRINTOBSCLIENTE', 'SIM');

-- Portfolio 3: Sicredi - carnê.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_MOD_IMP', '1');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_COMPROVANTE', 'NAO');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_AG', '0710');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_PO', '02');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_CC', '12345');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_LOCALPGTO', 'Pagável preferencialmente nas cooperativas de crédito do Sicredi');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (3, 'SC_AT', 'N');

-- Portfolio 4: Sicredi - página inteira com comprovante de entrega.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_MOD_IMP', '0');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_COMPROVANTE', 'SIM');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_AG', '0710');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_PO', '05');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_CC', '54321');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_LOCALPGTO', 'Pagável preferencialmente nas cooperativas de crédito do Sicredi');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (4, 'SC_AT', 'N');

-- Portfolio 5: Sicoob - sem comprovante.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_COMPROVANTE', 'NAO');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_ENDERECO_CED', 'Rua das Acácias, 1500 - Centro');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_CIDADE_UF_CEP', 'Passo Fundo - RS - CEP 99010-000');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_AG', '3069');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_CD_BENEFICIARIO', '1234567');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_LOCALPGTO', 'Pagável em qualquer banco até o vencimento');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_AT', 'N');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_TIPO_CRT', '1');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (5, 'SICB_PRINTOBSCLIENTE', 'NAO');

-- Portfolio 6: Sicoob - comprovante compacto.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_COMPROVANTE', 'SIM');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_ENDERECO_CED', 'Rua das Acácias, 1500 - Centro');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_CIDADE_UF_CEP', 'Passo Fundo - RS - CEP 99010-000');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_AG', '3069');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_CD_BENEFICIARIO', '7654321');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_LOCALPGTO', 'Pagável em qualquer banco até o vencimento');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_AT', 'N');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_TIPO_CRT', '1');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (6, 'SICB_PRINTOBSCLIENTE', 'sim');

-- Portfolio 7: Itaú - carteira 109 com sacador/avalista.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_ENDERECO1', 'Rua das Acácias, 1500 - Centro');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_ENDERECO2', 'Passo Fundo - RS - CEP 99010-000');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_AG', '0057');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_CC', '12345');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_AG_DV', '7');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_LOCALPGTO', 'Até o vencimento, preferencialmente no Itaú');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_AT', 'N');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_TIPO_CRT_SR', '109');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_SACAVAL', 'Distribuidora Gaúcha de Peças S.A.');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (7, 'IT_SAC_CNPJ', '33.445.566/0001-86');

-- Portfolio 8: Banrisul.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_DADOS1', 'Rua das Acácias, 1500 - Centro - Passo Fundo/RS');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_AG_CC_IMPRESSAO', '1102 / 1234567.42');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_LOCALPGTO', 'Pagável em qualquer banco até o vencimento');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_AT', 'N');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_TIPOCART', '1');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_AG', '1102');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_CC', '1234567');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (8, 'BAN_PRINTOBSCLIENTE', 'NAO');

-- Portfolio 9: Cresol - leiaute próprio (banco 133) com comprovante.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_LAYOUT', 'CRESOL');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_COMPROVANTE', 'SIM');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_ENDERECO_CED', 'Rua das Acácias, 1500 - Centro');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_SAC_AVAL_CNPJ', 'Cooperativa Agroindustrial Vale do Jacuí - CNPJ 55.667.788/0001-86');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_CIDADE_UF_CEP', 'Passo Fundo - RS - CEP 99010-000');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_AG', '3169');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_AG_DV', '0');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_CC', '0001234');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_CC_DV', '3');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_LOCALPGTO', 'Pagável em qualquer banco ou correspondente até o vencimento');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_AT', 'N');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (9, 'CRS_PRINTOBSCLIENTE', 'NAO');

-- Portfolio 10: Cresol - variante Bradesco (banco 237), imprime observação.
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_LAYOUT', 'BRADESCO');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_COMPROVANTE', 'NAO');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_NOME', 'Auto Mecânica São João Ltda');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_ENDERECO_CED', 'Rua das Acácias, 1500 - Centro');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_SAC_AVAL_CNPJ', 'Cooperativa Agroindustrial Vale do Jacuí - CNPJ 55.667.788/0001-86');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_CIDADE_UF_CEP', 'Passo Fundo - RS - CEP 99010-000');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_AG', '2856');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_AG_DV', '8');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_CC', '0098765');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_CC_DV', '4');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_LOCALPGTO', 'Pagável em qualquer banco ou correspondente até o vencimento');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_CNPJ', '12.345.678/0001-95');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_AT', 'N');
INSERT INTO Config_Boletos (cod_carteira, Campo_Ref, Campo_Valor) VALUES (10, 'CRS_PRINTOBSCLIENTE', 'SIM');

-- Boletos. Accounts: 1-2 Bradesco, 3-4 Sicredi, 5-6 Sicoob, 7 Itaú,
-- 8 Banrisul, 9-10 Cresol, 11 a bank without a layout.

-- Boleto 1: bank 237, account 1, 350.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (1, 1, 1, '001234', 1,
  'S', 'N', 'Transportes Ribeirão Ltda', '08.765.432/0001-03', 'financeiro@ribeirao.example',
  'Av. Brasil Leste, 2250', 'São Cristóvão', 'Passo Fundo', 'RS', '99025-000',
  '2024-03-15', 350.00, 0.00, NULL, '240000000012',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 001234, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-02-15', 237,
  '23799965600000350001234092400000000100123450',
  '23791.23405 92400.000003 01001.234507 9 96560000035000');

-- Boleto 2: bank 237, account 1, 1500.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (2, 1, 2, '001235', 1,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2024-04-10', 1500.00, 0.00, NULL, '240000000020',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 001235, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  '',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-02-15', 237,
  '23796968200001500001234092400000000200123450',
  '23791.23405 92400.000003 02001.234505 6 96820000150000');

-- Boleto 3: bank 237, account 1, 89.90.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (3, 1, 3, '001236', 2,
  'S', 'N', 'Maria da Conceição Löwen', '153.509.460-56', 'maria.lowen@correio.example',
  'Rua Uruguai, 1180', 'Glória', 'Carazinho', 'RS', '99500-000',
  '2024-05-20', 89.90, 0.00, NULL, '240000000039',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 001236, parcela 2',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-02-15', 237,
  '23792972200000089901234092400000000300123450',
  '23791.23405 92400.000003 03001.234503 2 97220000008990');

-- Boleto 4: bank 237, account 2, 420.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (4, 2, 4, '002101', 1,
  'S', 'N', 'Comércio de Peças Éden Ltda', '04.567.890/0001-79', 'compras@eden.example',
  'Rua Independência, 3010', 'Vila Rodrigues', 'Passo Fundo', 'RS', '99070-000',
  '2024-06-05', 420.00, 0.00, NULL, '240000000047',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 002101, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-05-06', 237,
  '23791973800000420000456092400000000400678900',
  '23790.45608 92400.000003 04006.789004 1 97380000042000');

-- Boleto 5: bank 748, account 3, 250.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (5, 3, 2, '003300', 1,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2024-07-10', 250.00, 0.00, NULL, '242000054',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 003300, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-06-10', 748,
  '74893977300000250001124200005407100212345102',
  '74891.12420 00005.407101 02123.451029 3 97730000025000');

-- Boleto 6: bank 748, account 3, 250.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (6, 3, 2, '003300', 2,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2024-08-12', 250.00, 0.00, NULL, '242000062',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 003300, parcela 2',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-06-10', 748,
  '74897980600000250001124200006207100212345108',
  '74891.12420 00006.207104 02123.451086 7 98060000025000');

-- Boleto 7: bank 748, account 3, 250.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (7, 3, 2, '003300', 3,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2024-09-10', 250.00, 0.00, NULL, '242000070',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 003300, parcela 3',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-06-10', 748,
  '74891983500000250001124200007007100212345103',
  '74891.12420 00007.007107 02123.451037 1 98350000025000');

-- Boleto 8: bank 748, account 3, 250.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (8, 3, 2, '003300', 4,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2024-10-10', 250.00, 0.00, NULL, '242000089',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 003300, parcela 4',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-06-10', 748,
  '74891986500000250001124200008907100212345109',
  '74891.12420 00008.907107 02123.451094 1 98650000025000');

-- Boleto 9: bank 748, account 4, 1875.40.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (9, 4, 5, '004410', 1,
  'S', 'N', 'Agropecuária Ouro Verde', '714.602.380-01', 'ouroverde@granja.example',
  'Linha São Roque, s/n', 'Interior', 'Marau', 'RS', '99150-000',
  '2024-08-15', 1875.40, 0.00, NULL, '242000090',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 004410, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-07-15', 748,
  '74891980900001875401124200009007100554321106',
  '74891.12420 00009.007105 05543.211063 1 98090000187540');

-- Boleto 10: bank 748, account 4, 60.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (10, 4, 6, '004411', 1,
  'S', 'N', 'Lúcia Helena Simões', '390.533.447-05', 'lucia.simoes@correio.example',
  'Av. Sete de Setembro, 455', 'Centro', 'Erechim', 'RS', '99700-000',
  '2024-08-20', 60.00, 0.00, NULL, '242000103',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 004411, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-07-15', 748,
  '74891981400000060001124200010307100554321104',
  '74891.12420 00010.307106 05543.211048 1 98140000006000');

-- Boleto 11: bank 756, account 5, 275.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (11, 5, 1, '005501', 1,
  'S', 'N', 'Transportes Ribeirão Ltda', '08.765.432/0001-03', 'financeiro@ribeirao.example',
  'Av. Brasil Leste, 2250', 'São Cristóvão', 'Passo Fundo', 'RS', '99025-000',
  '2024-09-02', 275.00, 0.00, NULL, '0000000115',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 005501, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-08-02', 756,
  '75694982700000275001306901123456700000115001',
  '75691.30698 01123.456707 00001.150010 4 98270000027500');

-- Boleto 12: bank 756, account 5, 1234.56.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (12, 5, 3, '005502', 1,
  'S', 'N', 'Maria da Conceição Löwen', '153.509.460-56', 'maria.lowen@correio.example',
  'Rua Uruguai, 1180', 'Glória', 'Carazinho', 'RS', '99500-000',
  '2024-09-12', 1234.56, 0.00, NULL, '0000000122',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 005502, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-08-02', 756,
  '75691983700001234561306901123456700000122001',
  '75691.30698 01123.456707 00001.220011 1 98370000123456');

-- Boleto 13: bank 756, account 6, 150.50.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (13, 6, 4, '006601', 1,
  'S', 'N', 'Comércio de Peças Éden Ltda', '04.567.890/0001-79', 'compras@eden.example',
  'Rua Independência, 3010', 'Vila Rodrigues', 'Passo Fundo', 'RS', '99070-000',
  '2024-09-30', 150.50, 0.00, NULL, '0000000138',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 006601, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-08-30', 756,
  '75696985500000150501306901765432100000138001',
  '75691.30698 01765.432107 00001.380013 6 98550000015050');

-- Boleto 14: bank 341, account 7, 980.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (14, 7, 5, '007701', 1,
  'S', 'N', 'Agropecuária Ouro Verde', '714.602.380-01', 'ouroverde@granja.example',
  'Linha São Roque, s/n', 'Interior', 'Marau', 'RS', '99150-000',
  '2024-10-15', 980.00, 0.00, NULL, '240000149',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 007701, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-09-15', 341,
  '34191987000000980001092400001490057123457000',
  '34191.09248 00001.490051 71234.570001 1 98700000098000');

-- Boleto 15: bank 341, account 7, 980.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (15, 7, 6, '007702', 2,
  'S', 'N', 'Lúcia Helena Simões', '390.533.447-05', 'lucia.simoes@correio.example',
  'Av. Sete de Setembro, 455', 'Centro', 'Erechim', 'RS', '99700-000',
  '2024-11-14', 980.00, 0.00, NULL, '240000156',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 007702, parcela 2',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-09-15', 341,
  '34193990000000980001092400001560057123457000',
  '34191.09248 00001.560051 71234.570001 3 99000000098000');

-- Boleto 16: bank 41, account 8, 320.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (16, 8, 2, '008801', 1,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2024-10-25', 320.00, 0.00, NULL, '2400001661',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 008801, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-09-25', 41,
  '04196988000000320002111021234567240000164069',
  '04192.11107 21234.567242 00001.640697 6 98800000032000');

-- Boleto 17: bank 41, account 8, 540.90.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (17, 8, 5, '008802', 1,
  'S', 'N', 'Agropecuária Ouro Verde', '714.602.380-01', 'ouroverde@granja.example',
  'Linha São Roque, s/n', 'Interior', 'Marau', 'RS', '99150-000',
  '2024-11-25', 540.90, 0.00, NULL, '2400001742',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 008802, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-09-25', 41,
  '04199991100000540902111021234567240000174048',
  '04192.11107 21234.567242 00001.740489 9 99110000054090');

-- Boleto 18: bank 2372, account 9, 150.50.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (18, 9, 1, '009901', 1,
  'S', 'N', 'Transportes Ribeirão Ltda', '08.765.432/0001-03', 'financeiro@ribeirao.example',
  'Av. Brasil Leste, 2250', 'São Cristóvão', 'Passo Fundo', 'RS', '99025-000',
  '2024-12-10', 150.50, 0.00, NULL, '240000000187',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 009901, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-11-10', 2372,
  '13391992600000150503169092400000001800012340',
  '13393.16901 92400.000003 18000.123408 1 99260000015050');

-- Boleto 19: bank 2372, account 10, 760.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (19, 10, 4, '010001', 1,
  'S', 'N', 'Comércio de Peças Éden Ltda', '04.567.890/0001-79', 'compras@eden.example',
  'Rua Independência, 3010', 'Vila Rodrigues', 'Passo Fundo', 'RS', '99070-000',
  '2024-12-16', 760.00, 0.00, NULL, '240000000195',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 010001, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-11-16', 2372,
  '23793993200000760002856092400000001900987650',
  '23792.85600 92400.000003 19009.876509 3 99320000076000');

-- Boleto 20: bank 1, account 11, 110.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (20, 11, 6, '011001', 1,
  'S', 'N', 'Lúcia Helena Simões', '390.533.447-05', 'lucia.simoes@correio.example',
  'Av. Sete de Setembro, 455', 'Centro', 'Erechim', 'RS', '99700-000',
  '2025-01-20', 110.00, 0.00, NULL, '12345670000000020',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 011001, parcela 1',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-12-20', 1,
  '00191996700000110000000001234567000000002017',
  '00190.00009 01234.567004 00000.020172 1 99670000011000');

-- Booklet instalments 5 to 7 of account 3 (boletos 21-23), so that the
-- booklet of instruction 79 fills three pages: three, three and one.
-- Boleto 21: bank 748, account 3, 250.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (21, 3, 2, '003300', 5,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2024-11-11', 250.00, 0.00, NULL, '242000216',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 003300, parcela 5',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-06-10', 748,
  '74892989700000250001124200021607100212345102',
  '74891.12420 00021.607106 02123.451029 2 98970000025000');

-- Boleto 22: bank 748, account 3, 250.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (22, 3, 2, '003300', 6,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2024-12-10', 250.00, 0.00, NULL, '242000224',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 003300, parcela 6',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-06-10', 748,
  '74894992600000250001124200022407100212345108',
  '74891.12420 00022.407100 02123.451086 4 99260000025000');

-- Boleto 23: bank 748, account 3, 250.00.
INSERT INTO boletos (CHAVEBOLETO, CHAVECONTACORRENTE, COD_CLI, NRO_TIT, NRO_PAR,
  TIT_EXPORTADO, BOLETOIMPRESSO, NOMESACADO, CNPJCPFSACADO, ENDERECOEMAILSACADO,
  ENDERECOSACADO, BAIRROSACADO, CIDADESACADO, ESTADOSACADO, CEPSACADO,
  DATAVENCIMENTO, VALORBOLETO, VALORPAGO, DATAPAGAMENTO, NOSSONUMERO,
  PERCENTUALJUROS, PERCENTUALMULTA, PERCENTUALDESCONTO, VALOROUTROSACRESCIMOS,
  DESMONSTRATIVO, INSTRUCOESCAIXA, LIN_ADC1, LIN_ADC2, LIN_ADC3, LIN_ADC4,
  LIN_ADC5, LIN_ADC6, LIN_ADC7, DATAEMISSAO, NRO_BANCO, CODBARRAS, LINHADIGITAVEL)
VALUES (23, 3, 2, '003300', 7,
  'S', 'N', 'João da Silva Araújo', '529.982.247-25', 'joao.araujo@correio.example',
  'Rua Paissandu, 745 ap. 302', 'Centro', 'Passo Fundo', 'RS', '99010-100',
  '2025-01-10', 250.00, 0.00, NULL, '242000232',
  1.00, 2.00, 0.00, 0.00,
  'Referente à NF-e 003300, parcela 7',
  'Após o vencimento cobrar multa de 2% e juros de 1% ao mês',
  'Não receber após 30 dias do vencimento',
  'Desconto de R$ 0,00 até o vencimento',
  'Protesto automático após 10 dias do vencimento',
  'Cobrança referente a serviços e peças',
  'Dúvidas: (54) 3311-2233 - financeiro',
  NULL, NULL, '2024-06-10', 748,
  '74899995700000250001124200023207100212345103',
  '74891.12420 00023.207103 02123.451037 9 99570000025000');
